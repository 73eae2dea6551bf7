#pragma once

#include "io/VRDByteSource.h"

#include <cstdint>
#include <string>

// What a recording's top-level boxes say about it.
struct VRDRecordingState {
    enum class Kind {
        NotCamera, // not the camera's layout (ftyp of brand "avc1", then the media data)
        Healthy,   // media data and a whole index after it
        CutOff,    // media data, but the index is missing, cut short, or the media data runs past the end
    };
    Kind kind = Kind::NotCamera;
    // The media data's bytes that are on the medium (CutOff and Healthy).
    std::uint64_t mediaBegin = 0;
    std::uint64_t mediaEnd = 0;
    // Why, in a few words, for NotCamera and CutOff.
    std::string reason;
};

// Tells a recording that the camera finished from one it stopped in the
// middle of (power lost): the camera writes ftyp, the media data, and the
// index (moov) only at the end.
class VRDCutOffDetector {
public:
    static VRDRecordingState inspect(VRDByteSource &source);
};
