#include "demo/CameraLayoutRewriter.h"

#include "demo/CameraMp4Writer.h"
#include "io/TKBigEndian.h"
#include "io/VRDMemoryByteSource.h"
#include "mp4/Mp4BoxChildren.h"
#include "mp4/Mp4BoxReader.h"

#include <stdexcept>

namespace {

using Bytes = CameraLayoutRewriter::Bytes;

constexpr std::uint32_t kMillisecondTimescale = 1000;
constexpr std::size_t kSmallestMovieHeader = 108;  // version 0
constexpr std::size_t kSmallestOffsetTable = 16;   // header, version and flags, count

template <typename T>
T must(TKResult<T> result)
{
    if (!result)
        throw std::runtime_error(result.error());
    return *result;
}

Bytes copyOf(const Bytes &bytes, const Mp4Box &box)
{
    return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(box.offset),
                 bytes.begin() + static_cast<std::ptrdiff_t>(box.end()));
}

std::uint32_t bigEndian32(const Bytes &bytes, std::size_t offset)
{
    if (offset > bytes.size() || bytes.size() - offset < 4)
        throw std::runtime_error("read past the end of the box");
    return TKBigEndian::read32(bytes.data() + offset);
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
    VRDMemoryByteSource source(encoded);
    Mp4BoxReader reader(source);
    const Mp4Box mdat = must(reader.child(reader.file(), "mdat"));
    const Mp4Box moov = must(reader.child(reader.file(), "moov"));

    Bytes movieHeader = copyOf(encoded, must(reader.child(moov, "mvhd")));
    if (movieHeader.size() < kSmallestMovieHeader)
        throw std::runtime_error("movie header too short");
    const std::size_t timescaleOffset = movieHeader[8] == 1 ? 28 : 20;
    if (bigEndian32(movieHeader, timescaleOffset) != kMillisecondTimescale)
        throw std::runtime_error("the movie's time scale is not milliseconds");
    // The data track takes the next free track number.
    const std::size_t nextTrackIdOffset = movieHeader.size() - 4;
    const std::uint32_t dataTrackId = bigEndian32(movieHeader, nextTrackIdOffset);
    TKBigEndian::write32(movieHeader.data() + nextTrackIdOffset, dataTrackId + 1);

    CameraMp4Writer writer;
    writer.setMovieHeader(movieHeader);
    writer.setDataTrackId(dataTrackId);
    writer.setDurationMs(durationMs);
    const Bytes media(encoded.begin() + static_cast<std::ptrdiff_t>(mdat.payloadOffset()),
                      encoded.begin() + static_cast<std::ptrdiff_t>(mdat.end()));
    const std::uint64_t mediaOffset = writer.appendMedia(media);
    const std::int64_t delta = static_cast<std::int64_t>(mediaOffset) - static_cast<std::int64_t>(mdat.payloadOffset());
    Mp4BoxChildren moovChildren(reader, moov);
    for (Mp4Box box; moovChildren.next(box);) {
        if (!box.is("trak"))
            continue;
        Bytes trak = copyOf(encoded, box);
        moveChunkOffsets(trak, delta);
        writer.addTrack(trak);
    }
    if (moovChildren.failed())
        throw std::runtime_error(moovChildren.error());
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
    VRDMemoryByteSource source(trak);
    Mp4BoxReader reader(source);
    const Mp4Box self = must(reader.childAt(reader.file(), 0));
    const Mp4Box stbl = must(reader.child(must(reader.child(must(reader.child(self, "mdia")), "minf")), "stbl"));
    Mp4BoxChildren tables(reader, stbl);
    for (Mp4Box table; tables.next(table);) {
        const bool wide = table.is("co64");
        if (!wide && !table.is("stco"))
            continue;
        if (table.size < kSmallestOffsetTable)
            throw std::runtime_error("chunk offset table too short");
        const std::size_t entrySize = wide ? 8 : 4;
        const std::uint32_t count = must(reader.payload32(table, 4));
        const std::size_t first = table.payloadOffset() + 8;
        if (count > (table.end() - first) / entrySize)
            throw std::runtime_error("chunk offset table longer than its box");
        for (std::uint32_t i = 0; i < count; ++i) {
            std::uint8_t *entry = trak.data() + first + i * entrySize;
            if (wide)
                TKBigEndian::write64(entry, moved(TKBigEndian::read64(entry), delta, UINT64_MAX >> 1));
            else
                TKBigEndian::write32(entry, static_cast<std::uint32_t>(moved(TKBigEndian::read32(entry), delta, UINT32_MAX)));
        }
    }
    if (tables.failed())
        throw std::runtime_error(tables.error());
}
