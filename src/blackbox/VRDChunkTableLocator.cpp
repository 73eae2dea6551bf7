#include "blackbox/VRDChunkTableLocator.h"

#include "mp4/Mp4BoxReader.h"

#include <algorithm>

namespace {

constexpr std::uint64_t kLargest32 = UINT32_MAX;
constexpr std::uint32_t kBrandAvc1 = 0x61766331; // "avc1"
constexpr std::uint64_t kStcoCountAt = 4;        // after version and flags
constexpr std::uint64_t kStcoEntriesAt = 8;
constexpr std::uint64_t kEntrySize = 4;

} // namespace

std::optional<VRDChunkTable> VRDChunkTableLocator::locate()
{
    Mp4BoxReader reader(m_source);
    const TKResult<Mp4Box> fileType = reader.childAt(reader.file(), 0);
    if (!fileType || !fileType->is("ftyp"))
        return std::nullopt;
    const TKResult<std::uint32_t> brand = reader.payload32(*fileType, 0);
    if (!brand || *brand != kBrandAvc1)
        return std::nullopt;

    // moov is the third top-level box; then trak (5th of moov), mdia, minf and
    // stbl (3rd children), stco (5th of stbl).
    TKResult<Mp4Box> box = reader.childAt(reader.file(), 2);
    if (!box || !box->is("moov"))
        return std::nullopt;
    for (const std::size_t childIndex : {4, 2, 2, 2, 4}) {
        box = reader.childAt(*box, childIndex);
        if (!box)
            return std::nullopt;
    }
    const Mp4Box &offsets = *box;
    // The camera lays its boxes out within 32-bit offsets.
    if (!offsets.is("stco") || offsets.payloadOffset() + kStcoCountAt > kLargest32)
        return std::nullopt;
    const TKResult<std::uint32_t> count = reader.payload32(offsets, kStcoCountAt);
    if (!count)
        return std::nullopt;

    const std::uint64_t firstEntry = offsets.payloadOffset() + kStcoEntriesAt;
    const std::uint64_t tableEnd = std::min(offsets.end(), kLargest32 + 1);
    const std::uint64_t room = tableEnd > firstEntry ? (tableEnd - firstEntry) / kEntrySize : 0;

    VRDChunkTable table;
    table.firstEntryOffset = firstEntry;
    table.declaredCount = *count;
    table.readableCount = static_cast<std::uint32_t>(std::min<std::uint64_t>(*count, room));
    return table;
}
