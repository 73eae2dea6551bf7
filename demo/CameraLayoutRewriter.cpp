#include "demo/CameraLayoutRewriter.h"

#include "demo/CameraMp4Writer.h"
#include "demo/Mp4BoxReader.h"

#include <stdexcept>

namespace {

using Bytes = CameraLayoutRewriter::Bytes;

constexpr std::uint32_t kMillisecondTimescale = 1000;
constexpr std::size_t kSmallestMovieHeader = 108;  // version 0
constexpr std::size_t kSmallestOffsetTable = 16;   // header, version and flags, count

Bytes copyOf(const Bytes &bytes, const Mp4BoxReader::Box &box)
{
    return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(box.offset),
                 bytes.begin() + static_cast<std::ptrdiff_t>(box.end()));
}

Mp4BoxReader::Box child(const Bytes &bytes, const Mp4BoxReader::Box &parent, const char *type)
{
    return Mp4BoxReader::find(Mp4BoxReader::children(bytes, parent), type);
}

std::uint64_t moved(std::uint64_t offset, std::int64_t delta, std::uint64_t limit)
{
    const std::int64_t result = static_cast<std::int64_t>(offset) + delta;
    if (result < 0 || static_cast<std::uint64_t>(result) > limit)
        throw std::runtime_error("a chunk offset does not fit its table after the move");
    return static_cast<std::uint64_t>(result);
}

} // namespace

Bytes CameraLayoutRewriter::rewrite(const Bytes &encoded, const std::vector<Bytes> &dataChunks, std::uint32_t durationMs)
{
    const auto top = Mp4BoxReader::boxes(encoded, 0, encoded.size());
    const auto mdat = Mp4BoxReader::find(top, "mdat");
    const auto moov = Mp4BoxReader::find(top, "moov");
    const auto moovChildren = Mp4BoxReader::children(encoded, moov);

    Bytes movieHeader = copyOf(encoded, Mp4BoxReader::find(moovChildren, "mvhd"));
    if (movieHeader.size() < kSmallestMovieHeader)
        throw std::runtime_error("movie header too short");
    const std::size_t timescaleOffset = movieHeader[8] == 1 ? 28 : 20;
    if (Mp4BoxReader::bigEndian32(movieHeader, timescaleOffset) != kMillisecondTimescale)
        throw std::runtime_error("the movie's time scale is not milliseconds");
    // The data track takes the next free track number.
    const std::size_t nextTrackIdOffset = movieHeader.size() - 4;
    const std::uint32_t dataTrackId = Mp4BoxReader::bigEndian32(movieHeader, nextTrackIdOffset);
    Mp4BoxReader::putBigEndian32(movieHeader, nextTrackIdOffset, dataTrackId + 1);

    CameraMp4Writer writer;
    writer.setMovieHeader(movieHeader);
    writer.setDataTrackId(dataTrackId);
    writer.setDurationMs(durationMs);
    const Bytes media(encoded.begin() + static_cast<std::ptrdiff_t>(mdat.payloadOffset()),
                      encoded.begin() + static_cast<std::ptrdiff_t>(mdat.end()));
    const std::uint64_t mediaOffset = writer.appendMedia(media);
    const std::int64_t delta = static_cast<std::int64_t>(mediaOffset) - static_cast<std::int64_t>(mdat.payloadOffset());
    for (const auto &box : moovChildren) {
        if (box.type != "trak")
            continue;
        Bytes trak = copyOf(encoded, box);
        moveChunkOffsets(trak, delta);
        writer.addTrack(trak);
    }
    for (const Bytes &chunk : dataChunks)
        writer.appendDataChunk(chunk);
    return writer.build().bytes;
}

Bytes CameraLayoutRewriter::dataOnly(const std::vector<Bytes> &dataChunks, std::uint32_t durationMs)
{
    CameraMp4Writer writer;
    writer.setDurationMs(durationMs);
    for (const Bytes &chunk : dataChunks)
        writer.appendDataChunk(chunk);
    return writer.build().bytes;
}

void CameraLayoutRewriter::moveChunkOffsets(Bytes &trak, std::int64_t delta)
{
    const auto self = Mp4BoxReader::boxes(trak, 0, trak.size()).front();
    const auto stbl = child(trak, child(trak, child(trak, self, "mdia"), "minf"), "stbl");
    for (const auto &table : Mp4BoxReader::children(trak, stbl)) {
        const bool wide = table.type == "co64";
        if (!wide && table.type != "stco")
            continue;
        if (table.size < kSmallestOffsetTable)
            throw std::runtime_error("chunk offset table too short");
        const std::size_t entrySize = wide ? 8 : 4;
        const std::uint32_t count = Mp4BoxReader::bigEndian32(trak, table.payloadOffset() + 4);
        const std::size_t first = table.payloadOffset() + 8;
        if (count > (table.end() - first) / entrySize)
            throw std::runtime_error("chunk offset table longer than its box");
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::size_t at = first + i * entrySize;
            if (wide)
                Mp4BoxReader::putBigEndian64(trak, at, moved(Mp4BoxReader::bigEndian64(trak, at), delta, UINT64_MAX >> 1));
            else
                Mp4BoxReader::putBigEndian32(trak, at, static_cast<std::uint32_t>(moved(Mp4BoxReader::bigEndian32(trak, at), delta, UINT32_MAX)));
        }
    }
}
