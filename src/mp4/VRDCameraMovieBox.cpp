#include "mp4/VRDCameraMovieBox.h"

#include "mp4/Mp4BoxBuilder.h"
#include "mp4/VRDMp4Bytes.h"

#include <algorithm>

using namespace VRDMp4Bytes;

namespace {

constexpr std::uint32_t kEnabledInMovie = 0x000003;
constexpr std::uint32_t kVersion1 = 0x01000000;
constexpr std::uint16_t kLanguageUndetermined = 0x55c4;
constexpr std::uint16_t kFullVolume = 0x0100;

void appendUnityMatrix(Bytes &out)
{
    for (std::uint32_t value : {0x00010000u, 0u, 0u, 0u, 0x00010000u, 0u, 0u, 0u, 0x40000000u})
        append32(out, value);
}

bool needs64(std::uint64_t value)
{
    return value > UINT32_MAX;
}

void appendTimeAndDuration(Bytes &out, bool wide, std::uint32_t timescale, std::uint64_t duration)
{
    if (wide) {
        appendZeros(out, 16); // creation, modification
        append32(out, timescale);
        append32(out, static_cast<std::uint32_t>(duration >> 32));
        append32(out, static_cast<std::uint32_t>(duration));
    } else {
        appendZeros(out, 8);
        append32(out, timescale);
        append32(out, static_cast<std::uint32_t>(duration));
    }
}

// The sample entry the data track declares: a bare entry of the camera's own
// type (no decoder reads it; players list the track as data).
Bytes dataSampleDescription()
{
    Bytes entry(6, 0);
    append16(entry, 1); // data reference index
    Bytes payload = fullBoxHeader();
    append32(payload, 1);
    appendBytes(payload, Mp4BoxBuilder::box("tovk", entry));
    return Mp4BoxBuilder::box("stsd", payload);
}

} // namespace

VRDCameraMovieBox::Bytes VRDCameraMovieBox::build(const std::vector<MediaTrack> &tracks, const VRDMp4SampleTable &dataTable)
{
    std::uint64_t durationMs = toMilliseconds(dataTable.totalDuration(), kMovieTimescale);
    for (const MediaTrack &track : tracks)
        durationMs = std::max(durationMs, toMilliseconds(track.table->totalDuration(), track.timescale));

    const auto dataTrackId = static_cast<std::uint32_t>(tracks.size() + 1);
    Bytes payload = movieHeader(durationMs, dataTrackId + 1);
    for (std::size_t i = 0; i < tracks.size(); ++i)
        appendBytes(payload, mediaTrack(tracks[i], static_cast<std::uint32_t>(i + 1)));
    for (std::size_t i = tracks.size(); i < kTracksBeforeData; ++i)
        appendBytes(payload, Mp4BoxBuilder::box("free", {}));
    appendBytes(payload, dataTrack(dataTable, dataTrackId));
    return Mp4BoxBuilder::box("moov", payload);
}

VRDCameraMovieBox::Bytes VRDCameraMovieBox::movieHeader(std::uint64_t durationMs, std::uint32_t nextTrackId)
{
    const bool wide = needs64(durationMs);
    Bytes payload = fullBoxHeader(wide ? kVersion1 : 0);
    appendTimeAndDuration(payload, wide, kMovieTimescale, durationMs);
    append32(payload, 0x00010000); // rate 1.0
    append16(payload, kFullVolume);
    appendZeros(payload, 10);
    appendUnityMatrix(payload);
    appendZeros(payload, 24);      // pre-defined
    append32(payload, nextTrackId);
    return Mp4BoxBuilder::box("mvhd", payload);
}

VRDCameraMovieBox::Bytes VRDCameraMovieBox::mediaTrack(const MediaTrack &track, std::uint32_t trackId)
{
    const bool video = track.handler == "vide";
    const VRDMp4SampleTable &table = *track.table;
    Bytes mediaInformationHeader;
    if (video) {
        Bytes vmhd = fullBoxHeader(1);
        appendZeros(vmhd, 8); // graphics mode, colour
        mediaInformationHeader = Mp4BoxBuilder::box("vmhd", vmhd);
    } else {
        Bytes smhd = fullBoxHeader();
        appendZeros(smhd, 4); // balance, reserved
        mediaInformationHeader = Mp4BoxBuilder::box("smhd", smhd);
    }
    Bytes sampleTable;
    appendBytes(sampleTable, track.sampleDescription);
    appendBytes(sampleTable, table.timeToSample());
    if (video)
        appendBytes(sampleTable, table.syncSamples());
    appendBytes(sampleTable, table.sampleToChunk());
    appendBytes(sampleTable, table.sampleSizes());
    appendBytes(sampleTable, table.chunkOffsets());

    const Bytes minf = Mp4BoxBuilder::container("minf", {mediaInformationHeader, dataInformation(), Mp4BoxBuilder::box("stbl", sampleTable)});
    const Bytes mdia = Mp4BoxBuilder::container("mdia", {
        mediaHeader(track.timescale, table.totalDuration()),
        handler(track.handler, video ? "VideoHandler" : "SoundHandler"),
        minf,
    });
    const std::uint64_t durationMs = toMilliseconds(table.totalDuration(), track.timescale);
    return Mp4BoxBuilder::container("trak", {trackHeader(trackId, durationMs, !video, track.width, track.height), mdia});
}

VRDCameraMovieBox::Bytes VRDCameraMovieBox::dataTrack(const VRDMp4SampleTable &table, std::uint32_t trackId)
{
    // The reader walks trak/3rd mdia/3rd minf/3rd stbl/5th stco: keep every
    // box on that path where it is.
    const Bytes stbl = Mp4BoxBuilder::container("stbl", {
        dataSampleDescription(),
        table.timeToSample(),
        table.sampleToChunk(),
        table.sampleSizes(),
        table.chunkOffsets(),
    });
    const Bytes minf = Mp4BoxBuilder::container("minf", {Mp4BoxBuilder::box("nmhd", fullBoxHeader()), dataInformation(), stbl});
    const Bytes mdia = Mp4BoxBuilder::container("mdia", {
        mediaHeader(kMovieTimescale, table.totalDuration()),
        handler("data", "TovikSensorData"),
        minf,
    });
    const std::uint64_t durationMs = table.totalDuration();
    return Mp4BoxBuilder::container("trak", {trackHeader(trackId, durationMs, false, 0, 0), editList(durationMs), mdia});
}

VRDCameraMovieBox::Bytes VRDCameraMovieBox::trackHeader(std::uint32_t trackId, std::uint64_t durationMs, bool audio,
                                                        std::uint16_t width, std::uint16_t height)
{
    const bool wide = needs64(durationMs);
    Bytes payload = fullBoxHeader((wide ? kVersion1 : 0) | kEnabledInMovie);
    appendZeros(payload, wide ? 16 : 8); // creation, modification
    append32(payload, trackId);
    appendZeros(payload, 4);
    if (wide) {
        append32(payload, static_cast<std::uint32_t>(durationMs >> 32));
        append32(payload, static_cast<std::uint32_t>(durationMs));
    } else {
        append32(payload, static_cast<std::uint32_t>(durationMs));
    }
    appendZeros(payload, 8 + 2 + 2); // reserved, layer, alternate group
    append16(payload, audio ? kFullVolume : 0);
    appendZeros(payload, 2);
    appendUnityMatrix(payload);
    append32(payload, static_cast<std::uint32_t>(width) << 16);
    append32(payload, static_cast<std::uint32_t>(height) << 16);
    return Mp4BoxBuilder::box("tkhd", payload);
}

VRDCameraMovieBox::Bytes VRDCameraMovieBox::mediaHeader(std::uint32_t timescale, std::uint64_t duration)
{
    const bool wide = needs64(duration);
    Bytes payload = fullBoxHeader(wide ? kVersion1 : 0);
    appendTimeAndDuration(payload, wide, timescale, duration);
    append16(payload, kLanguageUndetermined);
    appendZeros(payload, 2);
    return Mp4BoxBuilder::box("mdhd", payload);
}

VRDCameraMovieBox::Bytes VRDCameraMovieBox::handler(std::string_view type, std::string_view name)
{
    Bytes payload = fullBoxHeader();
    appendZeros(payload, 4); // pre-defined
    appendText(payload, type);
    appendZeros(payload, 12);
    appendText(payload, name);
    payload.push_back(0);
    return Mp4BoxBuilder::box("hdlr", payload);
}

VRDCameraMovieBox::Bytes VRDCameraMovieBox::dataInformation()
{
    Bytes dref = fullBoxHeader();
    append32(dref, 1);
    appendBytes(dref, Mp4BoxBuilder::box("url ", fullBoxHeader(1))); // media in this file
    return Mp4BoxBuilder::container("dinf", {Mp4BoxBuilder::box("dref", dref)});
}

VRDCameraMovieBox::Bytes VRDCameraMovieBox::editList(std::uint64_t durationMs)
{
    Bytes payload = fullBoxHeader();
    append32(payload, 1);
    append32(payload, static_cast<std::uint32_t>(std::min<std::uint64_t>(durationMs, UINT32_MAX)));
    append32(payload, 0);          // media time
    append32(payload, 0x00010000); // rate 1.0
    return Mp4BoxBuilder::container("edts", {Mp4BoxBuilder::box("elst", payload)});
}

std::uint64_t VRDCameraMovieBox::toMilliseconds(std::uint64_t duration, std::uint32_t timescale)
{
    if (timescale == 0)
        return 0;
    // Split to keep the product inside 64 bits for any duration.
    return duration / timescale * kMovieTimescale + duration % timescale * kMovieTimescale / timescale;
}
