#include "export/VRDChannelAudioReader.h"

#include "export/VRDAvError.h"

extern "C" {
#include <libavformat/avformat.h>
}

VRDChannelAudioReader::VRDChannelAudioReader(VRDClipChannel channel, double origin, double end)
    : m_channel(std::move(channel)), m_origin(origin), m_end(end)
{
}

bool VRDChannelAudioReader::open()
{
    if (m_channel.segments.empty())
        return true;
    if (!m_first.open(m_channel.segments.front().path)) {
        m_error = m_first.error();
        return false;
    }
    m_hasSound = m_first.audioStream() != nullptr;
    if (m_hasSound)
        m_timeBase = m_first.audioStream()->time_base;
    return true;
}

const AVCodecParameters *VRDChannelAudioReader::parameters() const
{
    return m_hasSound ? m_first.audioStream()->codecpar : nullptr;
}

bool VRDChannelAudioReader::openSegment()
{
    const VRDClipSegment &segment = m_channel.segments[m_segment];
    if (!m_input.open(segment.path)) {
        m_error = m_input.error();
        return false;
    }
    m_input.videoStream()->discard = AVDISCARD_ALL;
    AVStream *stream = m_input.audioStream();
    if (stream != nullptr) {
        m_startTime = stream->start_time != AV_NOPTS_VALUE ? static_cast<double>(stream->start_time) * av_q2d(stream->time_base) : 0.0;
        const double from = std::max(0.0, m_origin - segment.chainStart);
        if (from > 0) {
            const auto target = static_cast<std::int64_t>((from + m_startTime) / av_q2d(stream->time_base));
            if (const int result = av_seek_frame(m_input.context(), m_input.audioIndex(), target, AVSEEK_FLAG_BACKWARD); result < 0) {
                m_error = segment.path + ": cannot seek: " + VRDAvErrorText(result);
                return false;
            }
        }
    }
    m_segmentOpen = true;
    return true;
}

VRDAvPacketPtr VRDChannelAudioReader::next()
{
    VRDAvPacketPtr packet(av_packet_alloc());
    while (m_hasSound && m_error.empty() && m_segment < m_channel.segments.size()) {
        if (!m_segmentOpen && !openSegment())
            return nullptr;
        const VRDClipSegment &segment = m_channel.segments[m_segment];
        AVStream *stream = m_input.audioStream();
        const int read = stream != nullptr ? av_read_frame(m_input.context(), packet.get()) : AVERROR_EOF;
        if (read == AVERROR_EOF) {
            m_segmentOpen = false;
            ++m_segment;
            continue;
        }
        if (read < 0) {
            m_error = segment.path + ": cannot read: " + VRDAvErrorText(read);
            return nullptr;
        }
        if (packet->stream_index != m_input.audioIndex() || packet->pts == AV_NOPTS_VALUE) {
            av_packet_unref(packet.get());
            continue;
        }
        const double fileTime = static_cast<double>(packet->pts) * av_q2d(stream->time_base) - m_startTime;
        const double chainTime = segment.chainStart + fileTime;
        // Sound beyond the recording's own pictures belongs to the next one.
        if (chainTime >= m_end || fileTime >= segment.duration) {
            if (chainTime >= m_end)
                m_segment = m_channel.segments.size();
            else {
                m_segmentOpen = false;
                ++m_segment;
            }
            av_packet_unref(packet.get());
            continue;
        }
        if (chainTime < m_origin || fileTime < 0) {
            av_packet_unref(packet.get());
            continue;
        }
        const auto stamp = static_cast<std::int64_t>((chainTime - m_origin) / av_q2d(m_timeBase) + 0.5);
        packet->duration = av_rescale_q(packet->duration, stream->time_base, m_timeBase);
        packet->pts = packet->dts = stamp;
        return packet;
    }
    return nullptr;
}
