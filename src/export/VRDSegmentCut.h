#pragma once

#include "export/VRDAvInput.h"
#include "export/VRDClip.h"

#include <cstdint>
#include <optional>
#include <string>

// Which pictures of one recording a lossless cut keeps: from the key frame
// at or before the segment's start to the picture shown at its end. Found
// from the container's sample index, without reading any picture.
struct VRDSegmentCut {
    std::int64_t firstStamp = 0;   // time stamps of the video stream
    std::int64_t lastStamp = 0;
    double start = 0.0;            // file seconds where the first picture starts
    double end = 0.0;              // file seconds where the last picture ends

    static std::optional<VRDSegmentCut> find(const VRDAvInput &input, const VRDClipSegment &segment, std::string &error);
};
