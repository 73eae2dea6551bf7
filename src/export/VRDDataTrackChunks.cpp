#include "export/VRDDataTrackChunks.h"

#include "blackbox/VRDChunkTableLocator.h"

namespace {

std::optional<std::uint32_t> bigEndian32(VRDByteSource &source, std::uint64_t offset)
{
    std::uint8_t bytes[4];
    if (source.readAt(offset, bytes, sizeof bytes) != sizeof bytes)
        return std::nullopt;
    return static_cast<std::uint32_t>(bytes[0]) << 24 | static_cast<std::uint32_t>(bytes[1]) << 16
        | static_cast<std::uint32_t>(bytes[2]) << 8 | bytes[3];
}

} // namespace

namespace VRDDataTrackChunks {

std::optional<std::uint32_t> count(VRDByteSource &source)
{
    const std::optional<VRDChunkTable> table = VRDChunkTableLocator(source).locate();
    if (!table)
        return std::nullopt;
    return table->readableCount;
}

std::vector<std::vector<std::uint8_t>> read(VRDByteSource &source, std::uint32_t first, std::uint32_t last)
{
    std::vector<std::vector<std::uint8_t>> chunks;
    const std::optional<VRDChunkTable> table = VRDChunkTableLocator(source).locate();
    if (!table)
        return chunks;
    last = std::min(last, table->readableCount);
    for (std::uint32_t i = first; i < last; ++i) {
        const std::optional<std::uint32_t> offset = bigEndian32(source, table->firstEntryOffset + 4ull * i);
        if (!offset)
            continue;
        std::vector<std::uint8_t> chunk(kChunkBytes);
        if (source.readAt(*offset, chunk.data(), chunk.size()) != chunk.size())
            continue;
        chunks.push_back(std::move(chunk));
    }
    return chunks;
}

} // namespace VRDDataTrackChunks
