#include "demo/CameraMp4Writer.h"

#include "demo/BlackBoxRecordWriter.h"
#include "mp4/Mp4BoxBuilder.h"

#include <fstream>
#include <stdexcept>

namespace {

using Bytes = CameraMp4Writer::Bytes;

constexpr std::size_t kBoxHeaderSize = 8;
constexpr std::uint32_t kTimescale = 1000;

void appendBigEndian16(Bytes &out, std::uint16_t value)
{
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value));
}

void appendZeros(Bytes &out, std::size_t count)
{
    out.insert(out.end(), count, 0);
}

void appendText(Bytes &out, std::string_view text)
{
    out.insert(out.end(), text.begin(), text.end());
}

void appendUnityMatrix(Bytes &out)
{
    const std::uint32_t matrix[9] = {0x00010000, 0, 0, 0, 0x00010000, 0, 0, 0, 0x40000000};
    for (std::uint32_t value : matrix)
        Mp4BoxBuilder::appendBigEndian32(out, value);
}

Bytes fullBoxHeader()
{
    return Bytes(4, 0);
}

Bytes trackHeader(std::uint32_t trackId, std::uint32_t durationMs)
{
    Bytes payload = fullBoxHeader();
    appendZeros(payload, 8);                             // creation, modification
    Mp4BoxBuilder::appendBigEndian32(payload, trackId);
    appendZeros(payload, 4);
    Mp4BoxBuilder::appendBigEndian32(payload, durationMs);
    appendZeros(payload, 8 + 2 + 2 + 2 + 2);             // reserved, layer, group, volume, reserved
    appendUnityMatrix(payload);
    appendZeros(payload, 8);                             // width, height
    return Mp4BoxBuilder::box("tkhd", payload);
}

Bytes editList(std::uint32_t durationMs)
{
    Bytes payload = fullBoxHeader();
    Mp4BoxBuilder::appendBigEndian32(payload, 1);
    Mp4BoxBuilder::appendBigEndian32(payload, durationMs);
    Mp4BoxBuilder::appendBigEndian32(payload, 0);
    Mp4BoxBuilder::appendBigEndian32(payload, 0x00010000);
    return Mp4BoxBuilder::container("edts", {Mp4BoxBuilder::box("elst", payload)});
}

Bytes mediaHeader(std::uint32_t durationMs)
{
    Bytes payload = fullBoxHeader();
    appendZeros(payload, 8);
    Mp4BoxBuilder::appendBigEndian32(payload, kTimescale);
    Mp4BoxBuilder::appendBigEndian32(payload, durationMs);
    appendBigEndian16(payload, 0x55c4);                  // "und"
    appendZeros(payload, 2);
    return Mp4BoxBuilder::box("mdhd", payload);
}

Bytes handler()
{
    Bytes payload = fullBoxHeader();
    appendZeros(payload, 4);
    appendText(payload, "data");
    appendZeros(payload, 12);
    appendText(payload, "TovikSensorData");
    payload.push_back(0);
    return Mp4BoxBuilder::box("hdlr", payload);
}

Bytes dataInformation()
{
    Bytes dref = fullBoxHeader();
    Mp4BoxBuilder::appendBigEndian32(dref, 1);
    Mp4BoxBuilder::appendBytes(dref, Mp4BoxBuilder::box("url ", Bytes{0, 0, 0, 1}));
    return Mp4BoxBuilder::container("dinf", {Mp4BoxBuilder::box("dref", dref)});
}

Bytes sampleTable(const std::vector<std::uint32_t> &chunkOffsets, std::uint32_t durationMs)
{
    const auto count = static_cast<std::uint32_t>(chunkOffsets.size());

    Bytes stsd = fullBoxHeader();
    Mp4BoxBuilder::appendBigEndian32(stsd, 1);
    Bytes entry(6, 0);
    appendBigEndian16(entry, 1);                         // data reference index
    Mp4BoxBuilder::appendBytes(stsd, Mp4BoxBuilder::box("tovk", entry));

    Bytes stts = fullBoxHeader();
    Bytes stsc = fullBoxHeader();
    if (count == 0) {
        Mp4BoxBuilder::appendBigEndian32(stts, 0);
        Mp4BoxBuilder::appendBigEndian32(stsc, 0);
    } else {
        Mp4BoxBuilder::appendBigEndian32(stts, 1);
        Mp4BoxBuilder::appendBigEndian32(stts, count);
        Mp4BoxBuilder::appendBigEndian32(stts, durationMs / count > 0 ? durationMs / count : 1);
        Mp4BoxBuilder::appendBigEndian32(stsc, 1);
        Mp4BoxBuilder::appendBigEndian32(stsc, 1);
        Mp4BoxBuilder::appendBigEndian32(stsc, 1);
        Mp4BoxBuilder::appendBigEndian32(stsc, 1);
    }

    Bytes stsz = fullBoxHeader();
    Mp4BoxBuilder::appendBigEndian32(stsz, static_cast<std::uint32_t>(BlackBoxRecordWriter::kChunkSize));
    Mp4BoxBuilder::appendBigEndian32(stsz, count);

    Bytes stco = fullBoxHeader();
    Mp4BoxBuilder::appendBigEndian32(stco, count);
    for (std::uint32_t offset : chunkOffsets)
        Mp4BoxBuilder::appendBigEndian32(stco, offset);

    return Mp4BoxBuilder::container("stbl", {
        Mp4BoxBuilder::box("stsd", stsd),
        Mp4BoxBuilder::box("stts", stts),
        Mp4BoxBuilder::box("stsc", stsc),
        Mp4BoxBuilder::box("stsz", stsz),
        Mp4BoxBuilder::box("stco", stco),
    });
}

} // namespace

CameraMp4Writer::CameraMp4Writer(std::string_view majorBrand)
    : m_majorBrand(majorBrand)
{
    if (m_majorBrand.size() != 4)
        throw std::invalid_argument("a major brand has four characters");
}

std::uint64_t CameraMp4Writer::nextMdatOffset() const
{
    return fileTypeBox().size() + kBoxHeaderSize + m_mdatPayload.size();
}

std::uint64_t CameraMp4Writer::appendMedia(const Bytes &bytes)
{
    const std::uint64_t offset = nextMdatOffset();
    Mp4BoxBuilder::appendBytes(m_mdatPayload, bytes);
    return offset;
}

std::uint64_t CameraMp4Writer::appendDataChunk(const Bytes &chunk)
{
    const std::uint64_t offset = appendMedia(chunk);
    if (offset > UINT32_MAX)
        throw std::length_error("a data chunk beyond 4 GiB cannot be listed in stco");
    m_dataChunkOffsets.push_back(static_cast<std::uint32_t>(offset));
    return offset;
}

void CameraMp4Writer::addDataChunkOffset(std::uint32_t offset)
{
    m_dataChunkOffsets.push_back(offset);
}

void CameraMp4Writer::addTrack(const Bytes &trak)
{
    if (m_tracks.size() >= kTracksBeforeData)
        throw std::invalid_argument("at most three tracks fit before the data track");
    m_tracks.push_back(trak);
}

void CameraMp4Writer::setMovieHeader(const Bytes &mvhd)
{
    m_movieHeader = mvhd;
}

void CameraMp4Writer::setDurationMs(std::uint32_t durationMs)
{
    m_durationMs = durationMs;
}

void CameraMp4Writer::setDataTrackId(std::uint32_t trackId)
{
    m_dataTrackId = trackId;
}

Bytes CameraMp4Writer::movieHeader(std::uint32_t durationMs, std::uint32_t nextTrackId)
{
    Bytes payload = fullBoxHeader();
    appendZeros(payload, 8);
    Mp4BoxBuilder::appendBigEndian32(payload, kTimescale);
    Mp4BoxBuilder::appendBigEndian32(payload, durationMs);
    Mp4BoxBuilder::appendBigEndian32(payload, 0x00010000); // rate 1.0
    appendBigEndian16(payload, 0x0100);                    // volume 1.0
    appendZeros(payload, 10);
    appendUnityMatrix(payload);
    appendZeros(payload, 24);
    Mp4BoxBuilder::appendBigEndian32(payload, nextTrackId);
    return Mp4BoxBuilder::box("mvhd", payload);
}

Bytes CameraMp4Writer::fileTypeBox() const
{
    Bytes payload;
    appendText(payload, m_majorBrand);
    Mp4BoxBuilder::appendBigEndian32(payload, 0);
    appendText(payload, "avc1isommp41");
    return Mp4BoxBuilder::box("ftyp", payload);
}

std::uint32_t CameraMp4Writer::dataTrackId() const
{
    return m_dataTrackId != 0 ? m_dataTrackId : static_cast<std::uint32_t>(m_tracks.size() + 1);
}

Bytes CameraMp4Writer::dataTrack() const
{
    const Bytes minf = Mp4BoxBuilder::container("minf", {
        Mp4BoxBuilder::box("nmhd", fullBoxHeader()),
        dataInformation(),
        sampleTable(m_dataChunkOffsets, m_durationMs),
    });
    const Bytes mdia = Mp4BoxBuilder::container("mdia", {mediaHeader(m_durationMs), handler(), minf});
    return Mp4BoxBuilder::container("trak", {trackHeader(dataTrackId(), m_durationMs), editList(m_durationMs), mdia});
}

CameraMp4Writer::Output CameraMp4Writer::build() const
{
    std::vector<Bytes> moovChildren;
    moovChildren.push_back(m_movieHeader.empty() ? movieHeader(m_durationMs, dataTrackId() + 1) : m_movieHeader);
    for (const Bytes &trak : m_tracks)
        moovChildren.push_back(trak);
    while (moovChildren.size() < 1 + kTracksBeforeData)
        moovChildren.push_back(Mp4BoxBuilder::box("free", {}));
    const Bytes data = dataTrack();
    moovChildren.push_back(data);

    Output output;
    output.bytes = fileTypeBox();
    Mp4BoxBuilder::appendBytes(output.bytes, Mp4BoxBuilder::box("mdat", m_mdatPayload));
    output.moovOffset = output.bytes.size();
    std::size_t beforeData = kBoxHeaderSize;
    for (std::size_t i = 0; i + 1 < moovChildren.size(); ++i)
        beforeData += moovChildren[i].size();
    output.dataTrackOffset = output.moovOffset + beforeData;
    // The data trak's stco is the last box of the track, so it ends the file.
    const Bytes moov = Mp4BoxBuilder::container("moov", moovChildren);
    Mp4BoxBuilder::appendBytes(output.bytes, moov);
    const std::size_t stcoSize = 16 + 4 * m_dataChunkOffsets.size();
    output.stcoOffset = output.bytes.size() - stcoSize;
    return output;
}

void CameraMp4Writer::writeFile(const std::string &path) const
{
    const Output output = build();
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char *>(output.bytes.data()), static_cast<std::streamsize>(output.bytes.size()));
    file.close();
    if (!file)
        throw std::runtime_error("cannot write " + path);
}
