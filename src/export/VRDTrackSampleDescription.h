#pragma once

#include "io/VRDByteSource.h"

#include <cstdint>
#include <string>
#include <vector>

// The whole "stsd" box (sample description: codec, picture size, decoder
// set-up) of one track of an MP4 file, as the file holds it, so a copy of
// the track's samples can carry it unchanged.
namespace VRDTrackSampleDescription {

// Empty with `error` set when the file has no such track or its boxes are
// broken on the way.
std::vector<std::uint8_t> read(VRDByteSource &source, std::uint32_t trackId, std::string &error);

} // namespace VRDTrackSampleDescription
