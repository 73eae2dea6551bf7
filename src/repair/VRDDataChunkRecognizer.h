#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// Recognises one of the camera's data chunks among media bytes by its own
// layout: a 2-byte prefix and a 208-byte little-endian record whose G-sensor
// values are of a car's size, whose NMEA text is text, and whose decoded
// position, speed, precision and satellite figures are finite and in range.
// A chunk of zeros (space the camera reserved but never wrote) is none.
class VRDDataChunkRecognizer {
public:
    static constexpr std::size_t kChunkSize = 210;

    static bool isDataChunk(std::span<const std::uint8_t> chunk);
};
