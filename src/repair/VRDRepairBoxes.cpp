#include "repair/VRDRepairBoxes.h"

#include <algorithm>
#include <cstring>

namespace VRDRepairBoxes {

namespace {

constexpr std::uint64_t kHeaderSize = 8;
constexpr std::uint64_t kLargeHeaderSize = 16;

std::uint64_t read64(const std::uint8_t *bytes)
{
    std::uint64_t value = 0;
    for (int i = 0; i < 8; ++i)
        value = value << 8 | bytes[i];
    return value;
}

std::uint32_t read32(const std::uint8_t *bytes)
{
    return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 | std::uint32_t{bytes[2]} << 8 | bytes[3];
}

// Fills box from a header of 8 or 16 bytes; the fit against `room` bytes.
Fit decode(const std::uint8_t *header, std::uint64_t available, std::uint64_t room, Box &box)
{
    std::memcpy(box.type, header + 4, 4);
    box.headerSize = kHeaderSize;
    std::uint64_t size = read32(header);
    if (size == 1) {
        if (available < kLargeHeaderSize)
            return Fit::Unreadable;
        size = read64(header + 8);
        box.headerSize = kLargeHeaderSize;
    } else if (size == 0) {
        size = room;
    }
    if (size < box.headerSize)
        return Fit::Unreadable;
    box.size = size;
    return size <= room ? Fit::Whole : Fit::PastParent;
}

} // namespace

Header headerAt(VRDByteSource &source, std::uint64_t offset, std::uint64_t parentEnd)
{
    Header header;
    header.box.offset = offset;
    if (offset >= parentEnd || parentEnd - offset < kHeaderSize)
        return header;
    std::uint8_t bytes[kLargeHeaderSize] = {};
    const std::size_t got = source.readAt(offset, bytes, sizeof bytes);
    if (got < kHeaderSize)
        return header;
    header.fit = decode(bytes, std::min<std::uint64_t>(got, parentEnd - offset), parentEnd - offset, header.box);
    return header;
}

std::vector<Box> children(std::span<const std::uint8_t> bytes, std::uint64_t skip)
{
    std::vector<Box> found;
    std::uint64_t offset = skip;
    while (offset + kHeaderSize <= bytes.size()) {
        Box box;
        box.offset = offset;
        const std::uint64_t room = bytes.size() - offset;
        if (decode(bytes.data() + offset, room, room, box) != Fit::Whole)
            break;
        found.push_back(box);
        offset += box.size;
    }
    return found;
}

std::optional<Box> child(std::span<const std::uint8_t> bytes, std::string_view type, std::uint64_t skip)
{
    for (const Box &box : children(bytes, skip)) {
        if (box.is(type))
            return box;
    }
    return std::nullopt;
}

std::span<const std::uint8_t> payloadOf(std::span<const std::uint8_t> bytes, const Box &box)
{
    return bytes.subspan(static_cast<std::size_t>(box.payloadOffset()), static_cast<std::size_t>(box.size - box.headerSize));
}

std::uint32_t read32(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return at + 4 <= bytes.size() ? read32(bytes.data() + at) : 0;
}

std::uint16_t read16(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return at + 2 <= bytes.size() ? static_cast<std::uint16_t>(bytes[at] << 8 | bytes[at + 1]) : 0;
}

} // namespace VRDRepairBoxes
