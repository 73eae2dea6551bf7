#pragma once

#include "media/VRDMediaList.h"

#include <cstdint>
#include <optional>
#include <string>

// The order in which the player takes the recordings of a folder: each row's file
// with its twin from the other camera, and the row that plays after it.
class VRDPlaylist
{
public:
    struct Entry {
        std::string path;
        // Empty when the recording has no twin.
        std::string twinPath;
    };

    explicit VRDPlaylist(const VRDMediaList &mediaList) : m_mediaList(mediaList) {}

    std::int64_t count() const { return static_cast<std::int64_t>(m_mediaList.count()); }
    // Nothing for a row outside the list.
    std::optional<Entry> entryAt(std::int64_t row) const;
    // The row after this one and its twin (the next group in the same camera, since
    // twins sort next to each other); nothing after the last.
    std::optional<std::int64_t> rowAfter(std::int64_t row) const;

private:
    const VRDMediaList &m_mediaList;
};
