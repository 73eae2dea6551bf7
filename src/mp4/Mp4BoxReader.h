#pragma once

#include "io/TKResult.h"
#include "io/VRDByteSource.h"
#include "mp4/Mp4Box.h"

#include <cstdint>
#include <string_view>
#include <vector>

// Reads the box tree of an MP4 file through a byte source, one header at a
// time, so large recordings cost only the headers on the way. Every box is
// checked against its parent and so against the file: a header cut short, a
// size below its header or a box reaching past its parent is an error. Sizes
// may be 32-bit, 64-bit (size 1) or "to the end of the parent" (size 0); all
// arithmetic is 64-bit.
class Mp4BoxReader {
public:
    explicit Mp4BoxReader(VRDByteSource &source) : m_source(source) {}

    // The whole source as the parent of the top-level boxes.
    Mp4Box file() const;

    // The box whose header starts at `offset` inside `parent`'s payload.
    TKResult<Mp4Box> boxAt(const Mp4Box &parent, std::uint64_t offset);
    // The first child of that type.
    TKResult<Mp4Box> child(const Mp4Box &parent, std::string_view type);
    // The child at `index`, counted from 0.
    TKResult<Mp4Box> childAt(const Mp4Box &parent, std::size_t index);

    // The payload's bytes; refused above `limit` bytes, so that a size read
    // from the file never decides an allocation by itself.
    TKResult<std::vector<std::uint8_t>> payload(const Mp4Box &box, std::uint64_t limit);
    // A big-endian number at `at` bytes into the payload, which must hold it whole.
    TKResult<std::uint32_t> payload32(const Mp4Box &box, std::uint64_t at);
    TKResult<std::uint64_t> payload64(const Mp4Box &box, std::uint64_t at);

private:
    TKResult<std::vector<std::uint8_t>> payloadBytes(const Mp4Box &box, std::uint64_t at, std::uint64_t count);

    VRDByteSource &m_source;
};
