#include "export/VRDChannelFrameReader.h"

#include "export/VRDAvError.h"

extern "C" {
#include <libavformat/avformat.h>
}

namespace {

// Times computed from time stamps carry rounding; a picture counts as
// starting at a point when within this of it.
constexpr double kTimeSlack = 1e-4;

} // namespace

VRDChannelFrameReader::VRDChannelFrameReader(VRDClipChannel channel)
    : m_channel(std::move(channel)), m_packet(av_packet_alloc())
{
}

bool VRDChannelFrameReader::openSegment()
{
    const VRDClipSegment &segment = m_channel.segments[m_segment];
    if (!m_input.open(segment.path)) {
        m_error = m_input.error();
        return false;
    }
    AVStream *stream = m_input.videoStream();
    const AVCodec *codec = avcodec_find_decoder(stream->codecpar->codec_id);
    m_decoder.reset(codec != nullptr ? avcodec_alloc_context3(codec) : nullptr);
    if (!m_decoder || avcodec_parameters_to_context(m_decoder.get(), stream->codecpar) < 0) {
        m_error = segment.path + ": no decoder for its video";
        return false;
    }
    m_decoder->thread_count = 0;
    m_decoder->thread_type = FF_THREAD_FRAME | FF_THREAD_SLICE;
    if (const int result = avcodec_open2(m_decoder.get(), codec, nullptr); result < 0) {
        m_error = segment.path + ": " + VRDAvErrorText(result);
        return false;
    }
    const AVRational rate = stream->avg_frame_rate.num > 0 ? stream->avg_frame_rate : stream->r_frame_rate;
    m_frameSeconds = rate.num > 0 ? av_q2d(av_inv_q(rate)) : 1.0 / 30;
    m_startTime = stream->start_time != AV_NOPTS_VALUE ? static_cast<double>(stream->start_time) * av_q2d(stream->time_base) : 0.0;
    if (segment.from > 0) {
        const auto target = static_cast<std::int64_t>((segment.from + m_startTime) / av_q2d(stream->time_base));
        if (const int result = av_seek_frame(m_input.context(), m_input.videoIndex(), target, AVSEEK_FLAG_BACKWARD); result < 0) {
            m_error = segment.path + ": cannot seek: " + VRDAvErrorText(result);
            return false;
        }
    }
    m_draining = false;
    m_segmentOpen = true;
    return true;
}

VRDAvFramePtr VRDChannelFrameReader::decode(double &fileTime)
{
    VRDAvFramePtr frame(av_frame_alloc());
    for (;;) {
        const int received = avcodec_receive_frame(m_decoder.get(), frame.get());
        if (received == 0) {
            const std::int64_t stamp = frame->best_effort_timestamp != AV_NOPTS_VALUE ? frame->best_effort_timestamp : frame->pts;
            fileTime = static_cast<double>(stamp) * av_q2d(m_input.videoStream()->time_base) - m_startTime;
            return frame;
        }
        if (received == AVERROR_EOF)
            return nullptr;
        if (received != AVERROR(EAGAIN)) {
            m_error = m_channel.segments[m_segment].path + ": cannot decode: " + VRDAvErrorText(received);
            return nullptr;
        }
        if (m_draining)
            return nullptr;
        const int read = av_read_frame(m_input.context(), m_packet.get());
        if (read == AVERROR_EOF) {
            m_draining = true;
            avcodec_send_packet(m_decoder.get(), nullptr);
            continue;
        }
        if (read < 0) {
            m_error = m_channel.segments[m_segment].path + ": cannot read: " + VRDAvErrorText(read);
            return nullptr;
        }
        if (m_packet->stream_index == m_input.videoIndex()) {
            const int sent = avcodec_send_packet(m_decoder.get(), m_packet.get());
            av_packet_unref(m_packet.get());
            if (sent < 0 && sent != AVERROR(EAGAIN)) {
                m_error = m_channel.segments[m_segment].path + ": cannot decode: " + VRDAvErrorText(sent);
                return nullptr;
            }
        } else {
            av_packet_unref(m_packet.get());
        }
    }
}

VRDChannelFrameReader::Frame VRDChannelFrameReader::next()
{
    while (m_error.empty() && m_segment < m_channel.segments.size()) {
        if (!m_segmentOpen && !openSegment())
            return {};
        const VRDClipSegment &segment = m_channel.segments[m_segment];
        double fileTime = 0;
        VRDAvFramePtr picture = decode(fileTime);
        if (!m_error.empty())
            return {};
        const bool lastWanted = segment.to < segment.duration - kTimeSlack;
        if (!picture || (lastWanted && fileTime > segment.to + kTimeSlack)) {
            m_segmentOpen = false;
            ++m_segment;
            continue;
        }
        // Pictures that end before the start are the key-frame lead.
        if (fileTime + m_frameSeconds <= segment.from + kTimeSlack)
            continue;
        return {std::move(picture), segment.chainStart + fileTime};
    }
    return {};
}
