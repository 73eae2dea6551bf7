#pragma once

#include "io/VRDByteSource.h"

#include <cstdint>
#include <optional>

// Where the data track's chunk-offset table lies in a recording of the
// camera's layout, and how many of its entries really exist.
struct VRDChunkTable {
    std::uint64_t firstEntryOffset = 0;
    std::uint32_t declaredCount = 0;
    // The declared count bounded by the stco box and the end of the data,
    // so a corrupt count never drives the loop beyond the bytes that exist.
    std::uint32_t readableCount = 0;
};

// Walks the fixed box path ftyp ("avc1"), a second box, moov, its fifth
// child, three third children and the fifth child "stco", reading only the
// box headers on the way.
class VRDChunkTableLocator {
public:
    explicit VRDChunkTableLocator(VRDByteSource &source) : m_source(source) {}

    // Empty when a header is short, a checked type differs or an offset
    // does not fit the 32 bits the camera's boxes are laid out in.
    std::optional<VRDChunkTable> locate();

private:
    std::optional<std::uint32_t> readBigEndian32(std::uint64_t offset);
    bool typeIs(std::uint64_t boxOffset, const char (&type)[5]);
    // Offset of the `childNumber`-th child (counted from 1) of the box at
    // `parentOffset`, its elder siblings passed by their sizes.
    std::optional<std::uint64_t> child(std::uint64_t parentOffset, int childNumber);

    VRDByteSource &m_source;
};
