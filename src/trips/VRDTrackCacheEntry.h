#pragma once

#include "trips/VRDRecordingTrack.h"

#include <cstdint>
#include <string>

// One recording in the disk cache: the file's identity when it was read and
// what was read from it.
struct VRDTrackCacheEntry {
    std::string path;
    std::uint64_t size = 0;
    std::int64_t modifiedNanoseconds = 0;
    VRDRecordingTrack track;

    friend bool operator==(const VRDTrackCacheEntry &, const VRDTrackCacheEntry &) = default;
};
