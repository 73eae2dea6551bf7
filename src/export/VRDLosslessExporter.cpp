#include "export/VRDLosslessExporter.h"

#include "export/VRDAvError.h"
#include "export/VRDAvInput.h"
#include "export/VRDAvPointers.h"
#include "export/VRDClipSamples.h"
#include "export/VRDDataTrackChunks.h"
#include "export/VRDSegmentCut.h"
#include "export/VRDTrackSampleDescription.h"
#include "io/VRDFileByteSource.h"
#include "mp4/VRDCameraMp4Writer.h"

extern "C" {
#include <libavformat/avformat.h>
}

#include <cmath>
#include <limits>
#include <optional>

namespace {

struct Tracks {
    int video = -1;
    int audio = -1;
    std::vector<std::uint8_t> videoDescription;
    std::vector<std::uint8_t> audioDescription;
};

std::optional<VRDCameraMp4Writer::TrackSetup> setupOf(const AVStream *stream, const std::string &path, std::string &error)
{
    if (stream->time_base.num != 1) {
        error = path + ": a track's time scale is not a whole rate";
        return std::nullopt;
    }
    VRDFileByteSource source;
    if (!source.open(path)) {
        error = path + ": cannot read the file";
        return std::nullopt;
    }
    VRDCameraMp4Writer::TrackSetup setup;
    setup.handler = stream->codecpar->codec_type == AVMEDIA_TYPE_VIDEO ? "vide" : "soun";
    setup.timescale = static_cast<std::uint32_t>(stream->time_base.den);
    setup.sampleDescription = VRDTrackSampleDescription::read(source, static_cast<std::uint32_t>(stream->id), error);
    if (setup.sampleDescription.empty()) {
        error = path + ": " + error;
        return std::nullopt;
    }
    setup.width = static_cast<std::uint16_t>(stream->codecpar->width);
    setup.height = static_cast<std::uint16_t>(stream->codecpar->height);
    return setup;
}

// Durations in milliseconds for `count` data chunks that share `seconds`,
// summing to the span's own length.
std::uint32_t shareMs(double seconds, std::size_t count, std::size_t index)
{
    const double total = seconds * 1000.0;
    const auto at = [&](std::size_t k) { return std::llround(total * static_cast<double>(k) / static_cast<double>(count)); };
    return static_cast<std::uint32_t>(std::max(1LL, at(index + 1) - at(index)));
}

class SegmentCopy {
public:
    SegmentCopy(VRDCameraMp4Writer &writer, const Tracks &tracks) : m_writer(writer), m_tracks(tracks) {}

    bool copy(const VRDClipSegment &segment, const VRDExportMonitor &monitor, double doneBefore, double total, std::string &error);

private:
    bool flushData(double untilFileTime, std::string &error);

    VRDCameraMp4Writer &m_writer;
    const Tracks &m_tracks;
    std::vector<std::vector<std::uint8_t>> m_chunks;
    std::size_t m_nextChunk = 0;
    double m_firstChunkTime = 0;
    double m_chunkSeconds = 0;
    double m_span = 0;
};

bool SegmentCopy::flushData(double untilFileTime, std::string &error)
{
    for (; m_nextChunk < m_chunks.size(); ++m_nextChunk) {
        if (m_firstChunkTime + static_cast<double>(m_nextChunk) * m_chunkSeconds > untilFileTime)
            break;
        if (!m_writer.writeDataChunk(m_chunks[m_nextChunk], shareMs(m_span, m_chunks.size(), m_nextChunk))) {
            error = m_writer.error();
            return false;
        }
    }
    return true;
}

bool SegmentCopy::copy(const VRDClipSegment &segment, const VRDExportMonitor &monitor, double doneBefore, double total,
                       std::string &error)
{
    VRDAvInput input;
    if (!input.open(segment.path)) {
        error = input.error();
        return false;
    }
    const std::optional<VRDSegmentCut> cut = VRDSegmentCut::find(input, segment, error);
    if (!cut)
        return false;
    m_span = cut->end - cut->start;

    VRDFileByteSource source;
    if (!source.open(segment.path)) {
        error = segment.path + ": cannot read the file";
        return false;
    }
    m_chunks.clear();
    m_nextChunk = 0;
    if (const std::optional<std::uint32_t> count = VRDDataTrackChunks::count(source); count && *count > 0) {
        const auto [first, last] = VRDClipSamples::sampleRange(*count, segment.duration, cut->start, cut->end);
        m_chunks = VRDDataTrackChunks::read(source, static_cast<std::uint32_t>(first), static_cast<std::uint32_t>(last));
        m_chunkSeconds = segment.duration / *count;
        m_firstChunkTime = static_cast<double>(first) * m_chunkSeconds;
    }

    AVStream *video = input.videoStream();
    AVStream *audio = input.audioStream();
    const double videoUnit = av_q2d(video->time_base);
    const std::int64_t videoOrigin = video->start_time != AV_NOPTS_VALUE ? video->start_time : 0;
    const std::int64_t audioOrigin = audio != nullptr && audio->start_time != AV_NOPTS_VALUE ? audio->start_time : 0;
    if (const int result = av_seek_frame(input.context(), input.videoIndex(), cut->firstStamp, AVSEEK_FLAG_BACKWARD); result < 0) {
        error = segment.path + ": cannot seek: " + VRDAvErrorText(result);
        return false;
    }
    VRDAvPacketPtr packet(av_packet_alloc());
    bool videoDone = false;
    bool audioDone = audio == nullptr || m_tracks.audio < 0;
    while (!videoDone || !audioDone) {
        if (monitor.cancelled()) {
            error = "cancelled";
            return false;
        }
        const int read = av_read_frame(input.context(), packet.get());
        if (read == AVERROR_EOF)
            break;
        if (read < 0) {
            error = segment.path + ": cannot read: " + VRDAvErrorText(read);
            return false;
        }
        const std::span<const std::uint8_t> bytes(packet->data, static_cast<std::size_t>(packet->size));
        if (packet->stream_index == input.videoIndex() && !videoDone) {
            if (packet->pts != packet->dts) {
                error = segment.path + ": pictures are stored out of order (B-frames); a lossless cut of them is not supported";
                return false;
            }
            if (packet->pts > cut->lastStamp) {
                videoDone = true;
            } else if (packet->pts >= cut->firstStamp) {
                const double fileTime = static_cast<double>(packet->pts - videoOrigin) * videoUnit;
                if (!flushData(fileTime, error))
                    return false;
                const auto duration = static_cast<std::uint32_t>(packet->duration > 0 ? packet->duration
                                                                                      : std::llround((cut->end - fileTime) / videoUnit));
                if (!m_writer.writeSample(m_tracks.video, bytes, duration, (packet->flags & AV_PKT_FLAG_KEY) != 0)) {
                    error = m_writer.error();
                    return false;
                }
                monitor.report(std::clamp((doneBefore + fileTime - cut->start) / total, 0.0, 1.0));
            }
        } else if (packet->stream_index == input.audioIndex() && !audioDone) {
            const double fileTime = static_cast<double>(packet->pts - audioOrigin) * av_q2d(audio->time_base);
            if (fileTime >= cut->end) {
                audioDone = true;
            } else if (fileTime >= cut->start && packet->duration > 0) {
                if (!m_writer.writeSample(m_tracks.audio, bytes, static_cast<std::uint32_t>(packet->duration), true)) {
                    error = m_writer.error();
                    return false;
                }
            }
        }
        av_packet_unref(packet.get());
    }
    return flushData(std::numeric_limits<double>::infinity(), error);
}

} // namespace

bool VRDLosslessExporter::write(const VRDClipChannel &channel, const std::string &path, const VRDExportMonitor &monitor,
                                std::string &error)
{
    if (channel.segments.empty()) {
        error = "the clip holds no recording";
        return false;
    }
    VRDAvInput first;
    if (!first.open(channel.segments.front().path)) {
        error = first.error();
        return false;
    }
    VRDCameraMp4Writer writer(path);
    Tracks tracks;
    const std::optional<VRDCameraMp4Writer::TrackSetup> video = setupOf(first.videoStream(), channel.segments.front().path, error);
    if (!video)
        return false;
    tracks.videoDescription = video->sampleDescription;
    tracks.video = writer.addTrack(*video).value_or(-1);
    if (first.audioStream() != nullptr) {
        const std::optional<VRDCameraMp4Writer::TrackSetup> audio = setupOf(first.audioStream(), channel.segments.front().path, error);
        if (!audio)
            return false;
        tracks.audioDescription = audio->sampleDescription;
        tracks.audio = writer.addTrack(*audio).value_or(-1);
    }
    if (tracks.video < 0 || (first.audioStream() != nullptr && tracks.audio < 0)) {
        error = writer.error();
        return false;
    }
    // Joined recordings must decode with the same set-up: a sample entry
    // holds the decoder's headers for the whole track.
    for (std::size_t i = 1; i < channel.segments.size(); ++i) {
        VRDAvInput next;
        if (!next.open(channel.segments[i].path)) {
            error = next.error();
            return false;
        }
        const std::optional<VRDCameraMp4Writer::TrackSetup> nextVideo = setupOf(next.videoStream(), channel.segments[i].path, error);
        if (!nextVideo)
            return false;
        const bool sameSound = (next.audioStream() == nullptr) == (first.audioStream() == nullptr);
        std::optional<VRDCameraMp4Writer::TrackSetup> nextAudio;
        if (next.audioStream() != nullptr && !(nextAudio = setupOf(next.audioStream(), channel.segments[i].path, error)))
            return false;
        if (nextVideo->sampleDescription != tracks.videoDescription || nextVideo->timescale != video->timescale || !sameSound
            || (nextAudio && nextAudio->sampleDescription != tracks.audioDescription)) {
            error = channel.segments[i].path + ": recorded with other settings than the one before; it cannot be joined without re-encoding";
            return false;
        }
    }

    double total = 0;
    for (const VRDClipSegment &segment : channel.segments)
        total += segment.to - segment.from;
    double done = 0;
    SegmentCopy copy(writer, tracks);
    for (const VRDClipSegment &segment : channel.segments) {
        if (!copy.copy(segment, monitor, done, std::max(total, 1e-6), error))
            return false;
        done += segment.to - segment.from;
    }
    if (!writer.finish()) {
        error = writer.error();
        return false;
    }
    monitor.report(1.0);
    return true;
}
