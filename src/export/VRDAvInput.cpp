#include "export/VRDAvInput.h"

#include "export/VRDAvError.h"

extern "C" {
#include <libavformat/avformat.h>
}

VRDAvInput::~VRDAvInput()
{
    avformat_close_input(&m_context);
}

bool VRDAvInput::open(const std::string &path)
{
    avformat_close_input(&m_context);
    m_videoIndex = m_audioIndex = -1;
    // libavformat opens files for reading only: the original stays untouched.
    if (const int result = avformat_open_input(&m_context, path.c_str(), nullptr, nullptr); result < 0) {
        m_error = path + ": " + VRDAvErrorText(result);
        return false;
    }
    for (unsigned i = 0; i < m_context->nb_streams; ++i) {
        const AVCodecParameters *codec = m_context->streams[i]->codecpar;
        if (codec->codec_type == AVMEDIA_TYPE_VIDEO && m_videoIndex < 0 && codec->width > 0)
            m_videoIndex = static_cast<int>(i);
        else if (codec->codec_type == AVMEDIA_TYPE_AUDIO && m_audioIndex < 0)
            m_audioIndex = static_cast<int>(i);
    }
    if (m_videoIndex < 0) {
        m_error = path + ": holds no video";
        return false;
    }
    for (unsigned i = 0; i < m_context->nb_streams; ++i) {
        if (static_cast<int>(i) != m_videoIndex && static_cast<int>(i) != m_audioIndex)
            m_context->streams[i]->discard = AVDISCARD_ALL;
    }
    return true;
}

AVStream *VRDAvInput::videoStream() const
{
    return m_videoIndex < 0 ? nullptr : m_context->streams[m_videoIndex];
}

AVStream *VRDAvInput::audioStream() const
{
    return m_audioIndex < 0 ? nullptr : m_context->streams[m_audioIndex];
}

double VRDAvInput::videoDuration() const
{
    const AVStream *stream = videoStream();
    if (stream == nullptr)
        return 0;
    if (stream->duration != AV_NOPTS_VALUE && stream->duration > 0)
        return static_cast<double>(stream->duration) * av_q2d(stream->time_base);
    return m_context->duration > 0 ? static_cast<double>(m_context->duration) / AV_TIME_BASE : 0;
}

std::optional<double> VRDAvInput::probeVideoDuration(const std::string &path)
{
    VRDAvInput input;
    if (!input.open(path))
        return std::nullopt;
    const double duration = input.videoDuration();
    if (duration <= 0)
        return std::nullopt;
    return duration;
}
