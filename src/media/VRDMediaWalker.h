#pragma once

#include "media/VRDMedia.h"
#include "media/VRDMediaCatalog.h"

#include <cstddef>
#include <memory>
#include <set>
#include <stop_token>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <sys/types.h>

// Gathers the recordings of a folder and all its subfolders. Links are
// followed, but every folder is walked once (by device and inode), so a link
// that leads back into its own tree ends instead of recursing forever.
class VRDMediaWalker {
public:
    // A folder stops taking recordings once this many are gathered; the
    // folders around it each still add the next one they meet.
    static constexpr std::size_t kMediaLimit = 15000;

    // Synchronous and self-contained: safe on any thread. The result is
    // sorted by VRDMedia::compareDate and paired by group name. Once a stop
    // is requested the walk ends early with what it has, for a caller that
    // no longer wants the result.
    static VRDMediaCatalog walk(const std::string &directoryPath, std::stop_token stop = {});

    // A media for the path when its name (without extension) has the shape
    // of a recording's, else nullptr. Only the name is looked at.
    static std::shared_ptr<const VRDMedia> createMediaByPath(std::string_view path);

private:
    // Whether the name is long enough to hold the time field at startPos;
    // the digits themselves are left to the media.
    static bool _checkTimeByName(std::string_view name, std::size_t startPos);

    explicit VRDMediaWalker(std::stop_token stop);

    // False when the folder could not be opened.
    bool eachDir(const std::string &directoryPath);

    std::stop_token m_stop;
    std::vector<std::shared_ptr<const VRDMedia>> m_collected;
    std::set<std::pair<dev_t, ino_t>> m_visited;
};
