#include "repair/VRDKeyFrameDecodeCheck.h"

extern "C" {
#include <libavcodec/avcodec.h>
}

#include <cstring>
#include <memory>

namespace {

struct ContextFree {
    void operator()(AVCodecContext *context) const { avcodec_free_context(&context); }
};
struct PacketFree {
    void operator()(AVPacket *packet) const { av_packet_free(&packet); }
};
struct FrameFree {
    void operator()(AVFrame *frame) const { av_frame_free(&frame); }
};

} // namespace

bool VRDKeyFrameDecodeCheck::decodes(std::span<const std::uint8_t> avcC, std::span<const std::uint8_t> keyFrame, int width,
                                     int height)
{
    const AVCodec *codec = avcodec_find_decoder(AV_CODEC_ID_H264);
    if (!codec || avcC.empty() || keyFrame.empty() || keyFrame.size() > INT32_MAX / 2)
        return false;
    std::unique_ptr<AVCodecContext, ContextFree> context(avcodec_alloc_context3(codec));
    std::unique_ptr<AVPacket, PacketFree> packet(av_packet_alloc());
    std::unique_ptr<AVFrame, FrameFree> frame(av_frame_alloc());
    if (!context || !packet || !frame)
        return false;
    context->extradata = static_cast<std::uint8_t *>(av_mallocz(avcC.size() + AV_INPUT_BUFFER_PADDING_SIZE));
    if (!context->extradata)
        return false;
    std::memcpy(context->extradata, avcC.data(), avcC.size());
    context->extradata_size = static_cast<int>(avcC.size());
    context->err_recognition = AV_EF_EXPLODE | AV_EF_BITSTREAM | AV_EF_BUFFER;
    context->thread_count = 1;
    if (avcodec_open2(context.get(), codec, nullptr) < 0 || av_new_packet(packet.get(), static_cast<int>(keyFrame.size())) < 0)
        return false;
    std::memcpy(packet->data, keyFrame.data(), keyFrame.size());
    packet->flags |= AV_PKT_FLAG_KEY;
    if (avcodec_send_packet(context.get(), packet.get()) < 0 || avcodec_send_packet(context.get(), nullptr) < 0)
        return false;
    if (avcodec_receive_frame(context.get(), frame.get()) < 0)
        return false;
    return frame->width == width && frame->height == height && frame->decode_error_flags == 0
        && (frame->flags & AV_FRAME_FLAG_CORRUPT) == 0;
}
