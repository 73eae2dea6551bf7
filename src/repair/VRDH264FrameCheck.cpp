#include "repair/VRDH264FrameCheck.h"

extern "C" {
#include <libavcodec/avcodec.h>
}

#include <cstring>

VRDH264FrameCheck::VRDH264FrameCheck(std::span<const std::uint8_t> avcC)
{
    const AVCodec *codec = avcodec_find_decoder(AV_CODEC_ID_H264);
    m_parser = av_parser_init(AV_CODEC_ID_H264);
    m_context = codec ? avcodec_alloc_context3(codec) : nullptr;
    if (!m_parser || !m_context)
        return;
    m_context->extradata = static_cast<std::uint8_t *>(av_mallocz(avcC.size() + AV_INPUT_BUFFER_PADDING_SIZE));
    if (!m_context->extradata) {
        avcodec_free_context(&m_context);
        return;
    }
    std::memcpy(m_context->extradata, avcC.data(), avcC.size());
    m_context->extradata_size = static_cast<int>(avcC.size());
    // Each access unit is handed over whole: parse headers, never search for boundaries.
    m_parser->flags |= PARSER_FLAG_COMPLETE_FRAMES;
}

VRDH264FrameCheck::~VRDH264FrameCheck()
{
    if (m_parser)
        av_parser_close(m_parser);
    avcodec_free_context(&m_context);
}

VRDH264FrameCheck::Verdict VRDH264FrameCheck::check(std::span<const std::uint8_t> accessUnit)
{
    if (!valid() || accessUnit.empty() || accessUnit.size() > INT32_MAX - AV_INPUT_BUFFER_PADDING_SIZE)
        return {};
    m_padded.assign(accessUnit.size() + AV_INPUT_BUFFER_PADDING_SIZE, 0);
    std::memcpy(m_padded.data(), accessUnit.data(), accessUnit.size());
    std::uint8_t *output = nullptr;
    int outputSize = 0;
    av_parser_parse2(m_parser, m_context, &output, &outputSize, m_padded.data(), static_cast<int>(accessUnit.size()),
                     AV_NOPTS_VALUE, AV_NOPTS_VALUE, 0);
    Verdict verdict;
    verdict.keyFrame = m_parser->key_frame == 1;
    verdict.confirmed = outputSize == static_cast<int>(accessUnit.size())
        && (verdict.keyFrame || m_parser->output_picture_number != m_lastPictureNumber);
    if (verdict.confirmed)
        m_lastPictureNumber = m_parser->output_picture_number;
    return verdict;
}
