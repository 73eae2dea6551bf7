#pragma once

#include "demo/BlackBoxSample.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Encodes one data-track chunk: the 2-byte prefix followed by the 208-byte
// sample record in the camera's little-endian order.
class BlackBoxRecordWriter {
public:
    using Bytes = std::vector<std::uint8_t>;

    static constexpr std::size_t kPrefixSize = 2;
    static constexpr std::size_t kRecordSize = 208;
    static constexpr std::size_t kChunkSize = kPrefixSize + kRecordSize;
    static constexpr std::size_t kNmeaCapacity = 128;

    // Throws std::invalid_argument when the NMEA text is longer than 128 bytes.
    static Bytes encodeChunk(const BlackBoxSample &sample);
};
