#pragma once

#include "io/VRDByteSource.h"

#include <cstdint>
#include <optional>
#include <vector>

// The raw chunks (2-byte prefix and 208-byte record) of a recording's data
// track, found the way the viewer's reader finds them, to be copied as
// they are.
namespace VRDDataTrackChunks {

constexpr std::size_t kChunkBytes = 210;

// How many chunks the track lists; nothing without a data track.
std::optional<std::uint32_t> count(VRDByteSource &source);
// Chunks [first, last); a chunk that cannot be read whole is left out, as
// the viewer's reader leaves it out.
std::vector<std::vector<std::uint8_t>> read(VRDByteSource &source, std::uint32_t first, std::uint32_t last);

} // namespace VRDDataTrackChunks
