#pragma once

#include "io/VRDByteSource.h"

#include <cstdint>
#include <optional>

// Where the data track's chunk-offset table lies in a recording of the
// camera's layout, and how many of its entries really exist.
struct VRDChunkTable {
    std::uint64_t firstEntryOffset = 0;
    std::uint32_t declaredCount = 0;
    // The declared count bounded by the stco box, so a corrupt count never
    // drives the loop beyond the bytes that exist.
    std::uint32_t readableCount = 0;
};

// Follows the fixed box path ftyp ("avc1"), a second box, moov, its fifth
// child, three third children and the fifth child "stco" through the checked
// box reader, reading only the box headers on the way.
class VRDChunkTableLocator {
public:
    explicit VRDChunkTableLocator(VRDByteSource &source) : m_source(source) {}

    // Empty when a box on the way is cut short or reaches past its parent or
    // the file, a checked type differs, or an offset does not fit the 32 bits
    // the camera's boxes are laid out in.
    std::optional<VRDChunkTable> locate();

private:
    VRDByteSource &m_source;
};
