#pragma once

#include "media/VRDMediaCatalog.h"
#include "media/VRDMediaListDelegate.h"
#include "media/VRDMediaWalkRunner.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>

// The library of the folder the user opened: its recordings in sorted order
// and their front/rear pairs, refilled by a background walk at each new folder.
//
// Threading: every member is called on the owner's thread. Each walk builds
// its own catalog aside and the runner delivers it on the owner's thread,
// where it replaces the current one in one step; a walk overtaken by a later
// setDirectoryPath (or outlived by the library) is stopped and dropped.
class VRDMediaList {
public:
    explicit VRDMediaList(VRDMediaWalkRunner &runner);
    ~VRDMediaList();
    VRDMediaList(const VRDMediaList &) = delete;
    VRDMediaList &operator=(const VRDMediaList &) = delete;

    // Not owned; told on the owner's thread after each walk is taken.
    void setDelegate(VRDMediaListDelegate *delegate) { m_delegate = delegate; }

    // Stores the folder; unless it is empty, empties the list and starts a walk.
    void setDirectoryPath(std::string directoryPath);
    const std::string &directoryPath() const { return m_directoryPath; }

    std::size_t count() const { return m_catalog.count(); }
    // nullptr past the end, e.g. for rows of a table not yet reloaded.
    std::shared_ptr<const VRDMedia> mediaAtIndex(std::size_t index) const { return m_catalog.mediaAtIndex(index); }
    std::optional<VRDMediaPair> findMediaPairWithFileName(std::string_view fileName) const
    {
        return m_catalog.findMediaPairWithFileName(fileName);
    }
    // The whole result of the last finished walk.
    const VRDMediaCatalog &catalog() const { return m_catalog; }

private:
    void takeWalkResult(std::uint64_t generation, VRDMediaCatalog catalog);

    VRDMediaWalkRunner &m_runner;
    VRDMediaListDelegate *m_delegate = nullptr;
    std::string m_directoryPath;
    VRDMediaCatalog m_catalog;
    std::uint64_t m_generation = 0;
    std::stop_source m_walkStop;
    // Deliveries hold only a weak reference, so a walk that ends after the
    // library is gone is dropped instead of touching freed memory.
    std::shared_ptr<VRDMediaList *> m_self;
};
