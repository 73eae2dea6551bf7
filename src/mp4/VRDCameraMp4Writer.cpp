#include "mp4/VRDCameraMp4Writer.h"

#include "mp4/VRDCameraMovieBox.h"
#include "mp4/Mp4BoxBuilder.h"
#include "mp4/VRDMp4Bytes.h"

#include <cstring>

using namespace VRDMp4Bytes;

namespace {

constexpr std::uint64_t kLargestFile = UINT32_MAX;
constexpr std::size_t kBoxHeaderSize = 8;

Bytes fileTypeBox()
{
    Bytes payload;
    appendText(payload, "avc1");
    append32(payload, 0);
    appendText(payload, "avc1isommp41");
    return Mp4BoxBuilder::box("ftyp", payload);
}

// A whole stsd box with at least one entry and nothing after it.
bool isSampleDescription(const std::vector<std::uint8_t> &bytes)
{
    if (bytes.size() < 16 || std::memcmp(bytes.data() + 4, "stsd", 4) != 0)
        return false;
    const std::uint32_t size = std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16
        | std::uint32_t{bytes[2]} << 8 | bytes[3];
    const std::uint32_t entries = std::uint32_t{bytes[12]} << 24 | std::uint32_t{bytes[13]} << 16
        | std::uint32_t{bytes[14]} << 8 | bytes[15];
    return size == bytes.size() && entries > 0;
}

} // namespace

VRDCameraMp4Writer::VRDCameraMp4Writer(std::string path)
    : m_path(std::move(path))
{
}

std::optional<int> VRDCameraMp4Writer::addTrack(const TrackSetup &setup)
{
    if (m_started || m_finished) {
        fail("tracks are added before the first sample");
        return std::nullopt;
    }
    if (m_tracks.size() >= kMaxTracks) {
        fail("at most three media tracks fit before the data track");
        return std::nullopt;
    }
    if ((setup.handler != "vide" && setup.handler != "soun") || setup.timescale == 0
        || !isSampleDescription(setup.sampleDescription)) {
        fail("a track needs the handler \"vide\" or \"soun\", a time scale and a whole stsd box");
        return std::nullopt;
    }
    m_tracks.push_back({setup, {}});
    return static_cast<int>(m_tracks.size() - 1);
}

bool VRDCameraMp4Writer::writeSample(int track, std::span<const std::uint8_t> bytes, std::uint32_t duration,
                                     bool keyFrame)
{
    if (track < 0 || static_cast<std::size_t>(track) >= m_tracks.size())
        return fail("no track " + std::to_string(track));
    if (bytes.empty())
        return fail("an empty sample");
    Track &target = m_tracks[static_cast<std::size_t>(track)];
    return appendToMdat(bytes, track, target.table, duration, keyFrame);
}

bool VRDCameraMp4Writer::writeDataChunk(std::span<const std::uint8_t> chunk, std::uint32_t durationMs)
{
    if (chunk.size() != kDataChunkSize)
        return fail("a data chunk holds " + std::to_string(kDataChunkSize) + " bytes, not " + std::to_string(chunk.size()));
    // Each data sample is a chunk of its own: the reader follows stco entry by entry.
    m_lastTrack = -1;
    return appendToMdat(chunk, -1, m_dataTable, durationMs, false);
}

bool VRDCameraMp4Writer::appendToMdat(std::span<const std::uint8_t> bytes, int track, VRDMp4SampleTable &table,
                                      std::uint32_t duration, bool syncSample)
{
    if (m_finished)
        return fail("the recording is already finished");
    if (!m_error.empty() || !start())
        return false;
    const std::uint64_t offset = m_file.size();
    if (offset + bytes.size() > kLargestFile)
        return fail("the recording would reach 4 GiB, beyond what its 32-bit chunk offsets can address");
    const bool startsChunk = track < 0 || track != m_lastTrack;
    if (!m_file.append(bytes))
        return fail(m_file.error());
    table.addSample(static_cast<std::uint32_t>(bytes.size()), duration, syncSample, startsChunk, offset);
    m_lastTrack = track;
    return true;
}

bool VRDCameraMp4Writer::start()
{
    if (m_started)
        return true;
    m_started = true;
    if (!m_file.open(m_path))
        return fail(m_file.error());
    const Bytes fileType = fileTypeBox();
    Bytes mdatHeader;
    append32(mdatHeader, 0); // patched by finish()
    appendText(mdatHeader, "mdat");
    if (!m_file.append(fileType) || !m_file.append(mdatHeader))
        return fail(m_file.error());
    m_mdatOffset = fileType.size();
    return true;
}

bool VRDCameraMp4Writer::finish()
{
    if (m_finished)
        return fail("the recording is already finished");
    if (!m_error.empty() || !start())
        return false;
    m_finished = true;
    const std::uint64_t mdatSize = m_file.size() - m_mdatOffset;

    std::vector<VRDCameraMovieBox::MediaTrack> tracks;
    for (const Track &track : m_tracks)
        tracks.push_back({track.setup.handler, track.setup.timescale, track.setup.sampleDescription,
                          track.setup.width, track.setup.height, &track.table});
    const Bytes movie = VRDCameraMovieBox::build(tracks, m_dataTable);
    if (m_file.size() + movie.size() > kLargestFile)
        return fail("the recording would reach 4 GiB, beyond what its 32-bit chunk offsets can address");

    Bytes mdatSizeField;
    append32(mdatSizeField, static_cast<std::uint32_t>(mdatSize));
    if (!m_file.append(movie) || !m_file.patch(m_mdatOffset, mdatSizeField) || !m_file.close())
        return fail(m_file.error());
    return true;
}

std::uint64_t VRDCameraMp4Writer::nextSampleOffset() const
{
    return m_started ? m_file.size() : fileTypeBox().size() + kBoxHeaderSize;
}

const std::string &VRDCameraMp4Writer::error() const
{
    return m_error;
}

bool VRDCameraMp4Writer::fail(std::string message)
{
    if (m_error.empty())
        m_error = std::move(message);
    return false;
}
