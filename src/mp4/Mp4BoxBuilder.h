#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

// Builds MP4 boxes in memory: a 32-bit big-endian size, a four-character
// type, then the payload. Throws std::invalid_argument on a type that is not
// four characters and std::length_error on a box beyond 32-bit sizes.
class Mp4BoxBuilder {
public:
    using Bytes = std::vector<std::uint8_t>;

    // A box whose payload is the given bytes.
    static Bytes box(std::string_view type, const Bytes &payload);
    // A box whose payload is the given child boxes, one after the other.
    static Bytes container(std::string_view type, std::initializer_list<Bytes> children);
    static Bytes container(std::string_view type, const std::vector<Bytes> &children);

    static void appendBigEndian32(Bytes &out, std::uint32_t value);
    static void appendBytes(Bytes &out, const Bytes &more);
};
