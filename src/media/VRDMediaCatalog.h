#pragma once

#include "media/VRDMedia.h"
#include "media/VRDMediaPair.h"

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The recordings of one folder in sorted order with their front/rear pairs,
// keyed by group name. A walk builds one with addMedia; after that it is
// only read, so a finished catalog may be handed between threads.
class VRDMediaCatalog {
public:
    VRDMediaCatalog() = default;
    VRDMediaCatalog(std::string directoryPath, bool directoryListed);

    // The folder that was walked, and whether it could be listed at all.
    const std::string &directoryPath() const { return m_directoryPath; }
    bool directoryListed() const { return m_directoryListed; }

    std::size_t count() const { return m_medias.size(); }
    // The recording at the index, or nullptr past the end.
    std::shared_ptr<const VRDMedia> mediaAtIndex(std::size_t index) const;
    const std::vector<std::shared_ptr<const VRDMedia>> &medias() const { return m_medias; }
    const std::map<std::string, VRDMediaPair, std::less<>> &mediaPairDic() const { return m_mediaPairDic; }

    // The pair of a file name, a path or a group name: the last path
    // component without extension and without a trailing "_F"/"_R".
    std::optional<VRDMediaPair> findMediaPairWithFileName(std::string_view fileName) const;

    // Appends the media and files it into its pair; a later media of the same
    // group and camera takes the place of an earlier one.
    void addMedia(std::shared_ptr<const VRDMedia> media);

private:
    std::string m_directoryPath;
    bool m_directoryListed = false;
    std::vector<std::shared_ptr<const VRDMedia>> m_medias;
    std::map<std::string, VRDMediaPair, std::less<>> m_mediaPairDic;
};
