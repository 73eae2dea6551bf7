#include "demo/InterleavedRecordingWriter.h"

#include "demo/Mp4BoxReader.h"
#include "mp4/VRDCameraMp4Writer.h"

#include <algorithm>
#include <set>
#include <stdexcept>

namespace {

using Bytes = InterleavedRecordingWriter::Bytes;
using Box = Mp4BoxReader::Box;

struct Sample {
    int track = 0;
    std::uint64_t offset = 0;
    std::uint32_t size = 0;
    std::uint32_t duration = 0;
    double seconds = 0; // decode time
    bool sync = true;
};

struct Track {
    VRDCameraMp4Writer::TrackSetup setup;
    std::vector<Sample> samples;
};

Box child(const Bytes &file, const Box &parent, const char *type)
{
    return Mp4BoxReader::find(Mp4BoxReader::children(file, parent), type);
}

std::uint32_t at32(const Bytes &file, const Box &box, std::size_t offset)
{
    return Mp4BoxReader::bigEndian32(file, box.payloadOffset() + offset);
}

Track readTrack(const Bytes &file, const Box &trak, int index)
{
    const Box mdia = child(file, trak, "mdia");
    const Box stbl = child(file, child(file, mdia, "minf"), "stbl");
    Track track;
    const Box hdlr = child(file, mdia, "hdlr");
    track.setup.handler.assign(reinterpret_cast<const char *>(file.data() + hdlr.payloadOffset() + 8), 4);
    track.setup.timescale = at32(file, child(file, mdia, "mdhd"), 12);
    const Box stsd = child(file, stbl, "stsd");
    track.setup.sampleDescription.assign(file.begin() + static_cast<std::ptrdiff_t>(stsd.offset),
                                         file.begin() + static_cast<std::ptrdiff_t>(stsd.end()));
    const Box tkhd = child(file, trak, "tkhd");
    track.setup.width = static_cast<std::uint16_t>(Mp4BoxReader::bigEndian32(file, tkhd.end() - 8) >> 16);
    track.setup.height = static_cast<std::uint16_t>(Mp4BoxReader::bigEndian32(file, tkhd.end() - 4) >> 16);

    const Box stsz = child(file, stbl, "stsz");
    const std::uint32_t count = at32(file, stsz, 8);
    std::vector<std::uint32_t> durations;
    const Box stts = child(file, stbl, "stts");
    for (std::uint32_t i = 0, runs = at32(file, stts, 4); i < runs; ++i)
        durations.insert(durations.end(), at32(file, stts, 8 + 8 * i), at32(file, stts, 12 + 8 * i));
    std::set<std::uint32_t> syncSamples;
    const auto tables = Mp4BoxReader::children(file, stbl);
    const bool allSync = std::none_of(tables.begin(), tables.end(), [](const Box &box) { return box.type == "stss"; });
    if (!allSync) {
        const Box stss = child(file, stbl, "stss");
        for (std::uint32_t i = 0, n = at32(file, stss, 4); i < n; ++i)
            syncSamples.insert(at32(file, stss, 8 + 4 * i));
    }
    const Box stsc = child(file, stbl, "stsc");
    const Box stco = child(file, stbl, "stco");
    const std::uint32_t chunks = at32(file, stco, 4);
    const std::uint32_t runs = at32(file, stsc, 4);
    std::uint32_t sample = 0;
    std::uint64_t time = 0;
    for (std::uint32_t chunk = 0, run = 0; chunk < chunks; ++chunk) {
        while (run + 1 < runs && at32(file, stsc, 8 + 12 * (run + 1)) <= chunk + 1)
            ++run;
        std::uint64_t offset = at32(file, stco, 8 + 4 * chunk);
        for (std::uint32_t k = 0, n = at32(file, stsc, 12 + 12 * run); k < n && sample < count; ++k, ++sample) {
            Sample entry;
            entry.track = index;
            entry.offset = offset;
            entry.size = at32(file, stsz, 0) != 0 ? at32(file, stsz, 0) : at32(file, stsz, 12 + 4 * sample);
            entry.duration = sample < durations.size() ? durations[sample] : 0;
            entry.seconds = static_cast<double>(time) / track.setup.timescale;
            entry.sync = allSync || syncSamples.contains(sample + 1);
            time += entry.duration;
            offset += entry.size;
            track.samples.push_back(entry);
        }
    }
    return track;
}

} // namespace

std::vector<InterleavedRecordingWriter::Placed> InterleavedRecordingWriter::write(const Bytes &encoded, const std::vector<Bytes> &dataChunks,
                                       std::uint32_t dataDurationMs, const std::string &path)
{
    const auto moov = Mp4BoxReader::find(Mp4BoxReader::boxes(encoded, 0, encoded.size()), "moov");
    std::vector<Track> tracks;
    for (const Box &box : Mp4BoxReader::children(encoded, moov)) {
        if (box.type != "trak")
            continue;
        Track track = readTrack(encoded, box, static_cast<int>(tracks.size()));
        if (track.setup.handler == "vide" || track.setup.handler == "soun")
            tracks.push_back(std::move(track));
    }
    if (tracks.size() != 2 || tracks[0].setup.handler != "vide" || tracks[1].setup.handler != "soun")
        throw std::runtime_error("expected a video and an audio track");

    VRDCameraMp4Writer writer(path);
    std::vector<Sample> samples;
    for (Track &track : tracks) {
        if (!writer.addTrack(track.setup))
            throw std::runtime_error(writer.error());
        samples.insert(samples.end(), track.samples.begin(), track.samples.end());
    }
    std::sort(samples.begin(), samples.end(), [](const Sample &a, const Sample &b) { return a.offset < b.offset; });
    std::vector<Placed> videoSamples;
    std::size_t nextChunk = 0;
    const auto writeDataUpTo = [&](double seconds) {
        for (; nextChunk < dataChunks.size() && nextChunk * dataDurationMs / 1000.0 <= seconds; ++nextChunk) {
            if (!writer.writeDataChunk(dataChunks[nextChunk], dataDurationMs))
                throw std::runtime_error(writer.error());
        }
    };
    for (const Sample &sample : samples) {
        if (sample.offset + sample.size > encoded.size())
            throw std::runtime_error("a sample lies outside ffmpeg's file");
        writeDataUpTo(sample.seconds);
        const auto begin = encoded.begin() + static_cast<std::ptrdiff_t>(sample.offset);
        if (sample.track == 0)
            videoSamples.push_back({writer.nextSampleOffset(), sample.size});
        if (!writer.writeSample(sample.track, Bytes(begin, begin + sample.size), sample.duration, sample.sync))
            throw std::runtime_error(writer.error());
    }
    writeDataUpTo(1e300);
    if (!writer.finish())
        throw std::runtime_error(writer.error());
    return videoSamples;
}
