#include "demo/InterleavedRecordingWriter.h"

#include "io/TKBigEndian.h"
#include "io/VRDMemoryByteSource.h"
#include "mp4/Mp4BoxChildren.h"
#include "mp4/Mp4BoxReader.h"
#include "mp4/VRDCameraMp4Writer.h"

#include <algorithm>
#include <set>
#include <stdexcept>

namespace {

using Bytes = InterleavedRecordingWriter::Bytes;
using Box = Mp4Box;

template <typename T>
T must(TKResult<T> result)
{
    if (!result)
        throw std::runtime_error(result.error());
    return *result;
}

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

std::uint32_t bigEndian32(const Bytes &bytes, std::uint64_t offset)
{
    if (offset > bytes.size() || bytes.size() - offset < 4)
        throw std::runtime_error("read past the end of the file");
    return TKBigEndian::read32(bytes.data() + offset);
}

Track readTrack(Mp4BoxReader &reader, const Bytes &file, const Box &trak, int index)
{
    const auto child = [&](const Box &parent, const char *type) { return must(reader.child(parent, type)); };
    const auto at32 = [&](const Bytes &bytes, const Box &box, std::size_t offset) {
        return bigEndian32(bytes, box.payloadOffset() + offset);
    };
    const Box mdia = child(trak, "mdia");
    const Box stbl = child(child(mdia, "minf"), "stbl");
    Track track;
    const Box hdlr = child(mdia, "hdlr");
    track.setup.handler.assign(reinterpret_cast<const char *>(file.data() + hdlr.payloadOffset() + 8), 4);
    track.setup.timescale = at32(file, child(mdia, "mdhd"), 12);
    const Box stsd = child(stbl, "stsd");
    track.setup.sampleDescription.assign(file.begin() + static_cast<std::ptrdiff_t>(stsd.offset),
                                         file.begin() + static_cast<std::ptrdiff_t>(stsd.end()));
    const Box tkhd = child(trak, "tkhd");
    track.setup.width = static_cast<std::uint16_t>(bigEndian32(file, tkhd.end() - 8) >> 16);
    track.setup.height = static_cast<std::uint16_t>(bigEndian32(file, tkhd.end() - 4) >> 16);

    const Box stsz = child(stbl, "stsz");
    const std::uint32_t count = at32(file, stsz, 8);
    std::vector<std::uint32_t> durations;
    const Box stts = child(stbl, "stts");
    for (std::uint32_t i = 0, runs = at32(file, stts, 4); i < runs; ++i)
        durations.insert(durations.end(), at32(file, stts, 8 + 8 * i), at32(file, stts, 12 + 8 * i));
    std::set<std::uint32_t> syncSamples;
    const bool allSync = !reader.child(stbl, "stss");
    if (!allSync) {
        const Box stss = child(stbl, "stss");
        for (std::uint32_t i = 0, n = at32(file, stss, 4); i < n; ++i)
            syncSamples.insert(at32(file, stss, 8 + 4 * i));
    }
    const Box stsc = child(stbl, "stsc");
    const Box stco = child(stbl, "stco");
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
    VRDMemoryByteSource source(encoded);
    Mp4BoxReader reader(source);
    const Box moov = must(reader.child(reader.file(), "moov"));
    std::vector<Track> tracks;
    Mp4BoxChildren children(reader, moov);
    for (Box box; children.next(box);) {
        if (!box.is("trak"))
            continue;
        Track track = readTrack(reader, encoded, box, static_cast<int>(tracks.size()));
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
