#include "blackbox/VRDChunkTableLocator.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::uint64_t kLargest32 = UINT32_MAX;
constexpr std::uint64_t kBoxHeaderSize = 8;
constexpr std::uint64_t kStcoEntriesStart = 16;
constexpr std::uint64_t kEntrySize = 4;

std::optional<std::uint64_t> add32(std::uint64_t offset, std::uint64_t step)
{
    const std::uint64_t sum = offset + step;
    if (sum > kLargest32)
        return std::nullopt;
    return sum;
}

} // namespace

std::optional<std::uint32_t> VRDChunkTableLocator::readBigEndian32(std::uint64_t offset)
{
    std::uint8_t bytes[4];
    if (m_source.readAt(offset, bytes, sizeof bytes) != sizeof bytes)
        return std::nullopt;
    return (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) | (std::uint32_t{bytes[2]} << 8) | bytes[3];
}

bool VRDChunkTableLocator::typeIs(std::uint64_t boxOffset, const char (&type)[5])
{
    char actual[4];
    return m_source.readAt(boxOffset + 4, actual, sizeof actual) == sizeof actual
        && std::memcmp(actual, type, sizeof actual) == 0;
}

std::optional<std::uint64_t> VRDChunkTableLocator::child(std::uint64_t parentOffset, int childNumber)
{
    std::optional<std::uint64_t> offset = add32(parentOffset, kBoxHeaderSize);
    for (int sibling = 1; offset && sibling < childNumber; ++sibling) {
        const std::optional<std::uint32_t> size = readBigEndian32(*offset);
        if (!size)
            return std::nullopt;
        offset = add32(*offset, *size);
    }
    return offset;
}

std::optional<VRDChunkTable> VRDChunkTableLocator::locate()
{
    const std::optional<std::uint32_t> fileTypeSize = readBigEndian32(0);
    char brand[4];
    if (!fileTypeSize || !typeIs(0, "ftyp") || m_source.readAt(kBoxHeaderSize, brand, sizeof brand) != sizeof brand
        || std::memcmp(brand, "avc1", sizeof brand) != 0)
        return std::nullopt;

    // The second top-level box is passed whole; its full header must exist.
    const std::uint64_t secondOffset = *fileTypeSize;
    const std::optional<std::uint32_t> secondSize = readBigEndian32(secondOffset);
    char secondType[4];
    if (!secondSize || m_source.readAt(secondOffset + 4, secondType, sizeof secondType) != sizeof secondType)
        return std::nullopt;
    const std::optional<std::uint64_t> movieOffset = add32(secondOffset, *secondSize);
    if (!movieOffset || !readBigEndian32(*movieOffset) || !typeIs(*movieOffset, "moov"))
        return std::nullopt;

    // trak (5th of moov), mdia, minf and stbl (3rd children), stco (5th of stbl).
    std::optional<std::uint64_t> box = movieOffset;
    std::optional<std::uint32_t> boxSize;
    for (const int childNumber : {5, 3, 3, 3, 5}) {
        box = child(*box, childNumber);
        if (!box)
            return std::nullopt;
        boxSize = readBigEndian32(*box);
        if (!boxSize)
            return std::nullopt;
    }
    if (!typeIs(*box, "stco"))
        return std::nullopt;

    const std::uint64_t stcoOffset = *box;
    const std::optional<std::uint64_t> countOffset = add32(stcoOffset, 12);
    if (!countOffset)
        return std::nullopt;
    const std::optional<std::uint32_t> count = readBigEndian32(*countOffset);
    if (!count)
        return std::nullopt;

    const std::uint64_t firstEntry = stcoOffset + kStcoEntriesStart;
    const std::uint64_t boxEnd = stcoOffset + *boxSize;
    const std::uint64_t tableEnd = std::min({boxEnd, m_source.size(), kLargest32 + 1});
    const std::uint64_t room = tableEnd > firstEntry ? (tableEnd - firstEntry) / kEntrySize : 0;

    VRDChunkTable table;
    table.firstEntryOffset = firstEntry;
    table.declaredCount = *count;
    table.readableCount = static_cast<std::uint32_t>(std::min<std::uint64_t>(*count, room));
    return table;
}
