#include "export/VRDStillDecoder.h"

#include "export/VRDChannelFrameReader.h"

extern "C" {
#include <libswscale/swscale.h>
}

QImage VRDStillDecoder::pictureAt(const VRDClipChannel &channel, double chainTime, std::string &error)
{
    VRDClipChannel instant{channel.front, {}};
    for (const VRDClipSegment &segment : channel.segments) {
        const double fileTime = chainTime - segment.chainStart;
        if (fileTime >= 0 && fileTime <= segment.duration) {
            instant.segments.push_back({segment.path, fileTime, fileTime, segment.duration, segment.chainStart});
            break;
        }
    }
    if (instant.segments.empty()) {
        error = "the instant lies outside the recordings";
        return {};
    }
    VRDChannelFrameReader reader(instant);
    const VRDChannelFrameReader::Frame frame = reader.next();
    if (!frame.picture) {
        error = reader.error().empty() ? "no picture at the instant" : reader.error();
        return {};
    }
    const AVFrame &picture = *frame.picture;
    QImage image(picture.width, picture.height, QImage::Format_RGB888);
    SwsContext *convert = sws_getContext(picture.width, picture.height, static_cast<AVPixelFormat>(picture.format),
                                         picture.width, picture.height, AV_PIX_FMT_RGB24, SWS_BICUBIC, nullptr, nullptr, nullptr);
    if (convert == nullptr || image.isNull()) {
        sws_freeContext(convert);
        error = "cannot convert the picture";
        return {};
    }
    std::uint8_t *planes[4] = {image.bits(), nullptr, nullptr, nullptr};
    const int strides[4] = {static_cast<int>(image.bytesPerLine()), 0, 0, 0};
    sws_scale(convert, picture.data, picture.linesize, 0, picture.height, planes, strides);
    sws_freeContext(convert);
    return image;
}
