#include "export/VRDH264Mp4Writer.h"

#include "export/VRDAvError.h"

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/opt.h>
}

namespace {

constexpr AVRational kVideoTimeBase{1, 90000};

} // namespace

VRDH264Mp4Writer::~VRDH264Mp4Writer()
{
    if (m_output != nullptr) {
        if (m_fileOpen)
            avio_closep(&m_output->pb);
        avformat_free_context(m_output);
    }
}

bool VRDH264Mp4Writer::fail(const std::string &what, int result)
{
    m_error = result < 0 ? what + ": " + VRDAvErrorText(result) : what;
    return false;
}

bool VRDH264Mp4Writer::open(const std::string &path, const Setup &setup)
{
    if (const int result = avformat_alloc_output_context2(&m_output, nullptr, "mp4", path.c_str()); result < 0)
        return fail("cannot set up the MP4 output", result);
    const AVCodec *codec = avcodec_find_encoder_by_name("libx264");
    if (codec == nullptr)
        return fail("libavcodec has no libx264 encoder", 0);
    m_encoder.reset(avcodec_alloc_context3(codec));
    m_packet.reset(av_packet_alloc());
    if (!m_encoder || !m_packet)
        return fail("out of memory", 0);
    m_encoder->width = setup.width;
    m_encoder->height = setup.height;
    m_encoder->pix_fmt = AV_PIX_FMT_YUV420P;
    m_encoder->time_base = kVideoTimeBase;
    m_encoder->framerate = setup.frameRate;
    m_encoder->gop_size = setup.frameRate.den > 0 ? 2 * setup.frameRate.num / setup.frameRate.den : 60;
    m_encoder->thread_count = 0;
    if (m_output->oformat->flags & AVFMT_GLOBALHEADER)
        m_encoder->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    av_opt_set(m_encoder->priv_data, "preset", setup.preset, 0);
    av_opt_set_int(m_encoder->priv_data, "crf", setup.crf, 0);
    if (const int result = avcodec_open2(m_encoder.get(), codec, nullptr); result < 0)
        return fail("cannot start the H.264 encoder", result);

    m_video = avformat_new_stream(m_output, nullptr);
    if (m_video == nullptr)
        return fail("out of memory", 0);
    m_video->time_base = kVideoTimeBase;
    m_video->avg_frame_rate = setup.frameRate;
    if (const int result = avcodec_parameters_from_context(m_video->codecpar, m_encoder.get()); result < 0)
        return fail("cannot describe the video", result);
    if (setup.audio != nullptr) {
        m_audio = avformat_new_stream(m_output, nullptr);
        if (m_audio == nullptr)
            return fail("out of memory", 0);
        if (const int result = avcodec_parameters_copy(m_audio->codecpar, setup.audio); result < 0)
            return fail("cannot describe the sound", result);
        // The source's tag belongs to its container; the muxer picks its own.
        m_audio->codecpar->codec_tag = 0;
        m_audio->time_base = setup.audioTimeBase;
        m_audioTimeBase = setup.audioTimeBase;
    }
    if (const int result = avio_open(&m_output->pb, path.c_str(), AVIO_FLAG_WRITE); result < 0)
        return fail("cannot write " + path, result);
    m_fileOpen = true;
    // Hold sound back until the pictures catch up, whatever the distance.
    m_output->max_interleave_delta = 0;
    AVDictionary *options = nullptr;
    av_dict_set(&options, "movflags", "+faststart", 0);
    const int result = avformat_write_header(m_output, &options);
    av_dict_free(&options);
    if (result < 0)
        return fail("cannot write " + path, result);
    m_headerWritten = true;
    return true;
}

bool VRDH264Mp4Writer::drain(bool flushing)
{
    for (;;) {
        const int received = avcodec_receive_packet(m_encoder.get(), m_packet.get());
        if (received == AVERROR(EAGAIN) || (flushing && received == AVERROR_EOF))
            return true;
        if (received < 0)
            return fail("the H.264 encoder failed", received);
        m_packet->stream_index = m_video->index;
        av_packet_rescale_ts(m_packet.get(), kVideoTimeBase, m_video->time_base);
        if (const int result = av_interleaved_write_frame(m_output, m_packet.get()); result < 0)
            return fail("cannot write the video", result);
    }
}

bool VRDH264Mp4Writer::writePicture(AVFrame &picture, double seconds)
{
    picture.pts = static_cast<std::int64_t>(seconds * kVideoTimeBase.den / kVideoTimeBase.num + 0.5);
    picture.pict_type = AV_PICTURE_TYPE_NONE;
    if (const int result = avcodec_send_frame(m_encoder.get(), &picture); result < 0)
        return fail("the H.264 encoder failed", result);
    return drain(false);
}

bool VRDH264Mp4Writer::writeAudio(AVPacket &packet)
{
    if (m_audio == nullptr)
        return true;
    packet.stream_index = m_audio->index;
    packet.pos = -1;
    // The muxer may have chosen its own time base in the header.
    av_packet_rescale_ts(&packet, m_audioTimeBase, m_audio->time_base);
    if (const int result = av_interleaved_write_frame(m_output, &packet); result < 0)
        return fail("cannot write the sound", result);
    return true;
}

bool VRDH264Mp4Writer::finish()
{
    if (const int result = avcodec_send_frame(m_encoder.get(), nullptr); result < 0)
        return fail("the H.264 encoder failed", result);
    if (!drain(true))
        return false;
    if (const int result = av_write_trailer(m_output); result < 0)
        return fail("cannot finish the video", result);
    if (m_output->pb->error < 0)
        return fail("cannot write the video", m_output->pb->error);
    avio_flush(m_output->pb);
    const int closed = avio_closep(&m_output->pb);
    m_fileOpen = false;
    if (closed < 0)
        return fail("cannot close the video", closed);
    return true;
}
