#pragma once

#include "blackbox/VRDByteSource.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

// Box headers read through a byte source or from bytes in memory, every size
// checked against its parent.
namespace VRDRepairBoxes {

struct Box {
    char type[4] = {};
    std::uint64_t offset = 0;
    std::uint64_t headerSize = 0;
    std::uint64_t size = 0;

    std::uint64_t payloadOffset() const { return offset + headerSize; }
    std::uint64_t end() const { return offset + size; }
    bool is(std::string_view fourCharacters) const { return fourCharacters == std::string_view(type, 4); }
};

// How a header at `offset` fits below `parentEnd`.
enum class Fit { Whole, PastParent, Unreadable };

struct Header {
    Box box;
    Fit fit = Fit::Unreadable;
};

// The header at `offset`; `size` 0 reaches to `parentEnd`.
Header headerAt(VRDByteSource &source, std::uint64_t offset, std::uint64_t parentEnd);

// The children of the box whose payload is `bytes` (offsets relative to
// `bytes`), after `skip` bytes of its own fields; stops at the first child
// that does not fit.
std::vector<Box> children(std::span<const std::uint8_t> bytes, std::uint64_t skip = 0);
std::optional<Box> child(std::span<const std::uint8_t> bytes, std::string_view type, std::uint64_t skip = 0);
std::span<const std::uint8_t> payloadOf(std::span<const std::uint8_t> bytes, const Box &box);

std::uint32_t read32(std::span<const std::uint8_t> bytes, std::size_t at);
std::uint16_t read16(std::span<const std::uint8_t> bytes, std::size_t at);

} // namespace VRDRepairBoxes
