#pragma once

#include "trips/VRDTrackCacheEntry.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// The bytes of a cache file: a magic word and format version, then entries
// that each carry their length and a checksum of their body. Decoding trusts
// nothing: a file of another version gives no entries, an entry whose
// checksum or inner sizes disagree is left out (the index reads that
// recording again), and every length is checked against the bytes left.
namespace VRDTrackCacheFormat {

inline constexpr std::uint32_t kVersion = 1;

std::string encode(const std::vector<VRDTrackCacheEntry> &entries);
std::vector<VRDTrackCacheEntry> decode(std::span<const std::uint8_t> bytes);

// FNV-1a, 64 bits: cheap, and enough to notice a torn or damaged entry.
std::uint64_t checksum(std::span<const std::uint8_t> bytes);

} // namespace VRDTrackCacheFormat
