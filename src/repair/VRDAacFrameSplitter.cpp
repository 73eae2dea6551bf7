#include "repair/VRDAacFrameSplitter.h"

extern "C" {
#include <libavcodec/avcodec.h>
}

#include <cstring>

VRDAacFrameSplitter::VRDAacFrameSplitter(std::span<const std::uint8_t> audioSpecificConfig)
{
    const AVCodec *codec = avcodec_find_decoder(AV_CODEC_ID_AAC);
    if (!codec || audioSpecificConfig.empty())
        return;
    m_packet = av_packet_alloc();
    m_frame = av_frame_alloc();
    AVCodecContext *context = avcodec_alloc_context3(codec);
    if (!m_packet || !m_frame || !context) {
        avcodec_free_context(&context);
        return;
    }
    context->extradata = static_cast<std::uint8_t *>(av_mallocz(audioSpecificConfig.size() + AV_INPUT_BUFFER_PADDING_SIZE));
    if (context->extradata) {
        std::memcpy(context->extradata, audioSpecificConfig.data(), audioSpecificConfig.size());
        context->extradata_size = static_cast<int>(audioSpecificConfig.size());
    }
    if (!context->extradata || avcodec_open2(context, codec, nullptr) < 0) {
        avcodec_free_context(&context);
        return;
    }
    m_context = context;
}

VRDAacFrameSplitter::~VRDAacFrameSplitter()
{
    avcodec_free_context(&m_context);
    av_packet_free(&m_packet);
    av_frame_free(&m_frame);
}

bool VRDAacFrameSplitter::send(std::span<const std::uint8_t> bytes)
{
    avcodec_flush_buffers(m_context);
    av_packet_unref(m_packet);
    if (bytes.empty() || bytes.size() > INT32_MAX - AV_INPUT_BUFFER_PADDING_SIZE
        || av_new_packet(m_packet, static_cast<int>(bytes.size())) < 0)
        return false;
    std::memcpy(m_packet->data, bytes.data(), bytes.size());
    return avcodec_send_packet(m_context, m_packet) >= 0;
}

std::vector<int> VRDAacFrameSplitter::decodeRun(std::span<const std::uint8_t> bytes, std::size_t maxFrames)
{
    std::vector<int> leftBefore;
    if (!send(bytes))
        return leftBefore;
    while (leftBefore.size() < maxFrames) {
        if (avcodec_receive_frame(m_context, m_frame) < 0)
            break;
        leftBefore.push_back(m_frame->pkt_size);
        av_frame_unref(m_frame);
    }
    return leftBefore;
}

bool VRDAacFrameSplitter::decodesOneFrame(std::span<const std::uint8_t> bytes)
{
    if (!send(bytes))
        return false;
    const bool decoded = avcodec_receive_frame(m_context, m_frame) >= 0;
    av_frame_unref(m_frame);
    return decoded;
}

std::vector<std::uint32_t> VRDAacFrameSplitter::split(std::span<const std::uint8_t> bytes, std::size_t maxFrames)
{
    std::vector<std::uint32_t> sizes;
    if (!valid() || bytes.empty() || maxFrames == 0)
        return sizes;
    // One frame more than wanted, so the last wanted one is sized by its successor.
    const std::vector<int> leftBefore = decodeRun(bytes, maxFrames + 1);
    const auto total = static_cast<int>(bytes.size());
    for (std::size_t i = 0; i + 1 < leftBefore.size() && sizes.size() < maxFrames; ++i) {
        const int size = leftBefore[i] - leftBefore[i + 1];
        if (size <= 0 || leftBefore[i] > total)
            return sizes;
        sizes.push_back(static_cast<std::uint32_t>(size));
    }
    if (leftBefore.empty() || sizes.size() >= maxFrames || sizes.size() + 1 != leftBefore.size())
        return sizes;

    // The last decoded frame: the shortest packet that decodes it (what
    // follows may be other media, or zeros the decoder would swallow).
    const int left = leftBefore.back();
    if (left <= 0 || left > total)
        return sizes;
    const std::span<const std::uint8_t> rest = bytes.subspan(static_cast<std::size_t>(total - left));
    std::size_t low = 1;
    auto high = static_cast<std::size_t>(std::min<int>(left, static_cast<int>(kLargestFrame)));
    if (!decodesOneFrame(rest.first(high)))
        return sizes;
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (decodesOneFrame(rest.first(middle)))
            high = middle;
        else
            low = middle + 1;
    }
    sizes.push_back(static_cast<std::uint32_t>(high));
    return sizes;
}
