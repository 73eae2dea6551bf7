#include "export/VRDPipComposer.h"

extern "C" {
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cstring>

namespace {

constexpr std::uint8_t kWhiteLuma = 235;

} // namespace

VRDPipComposer::~VRDPipComposer()
{
    sws_freeContext(m_front);
    sws_freeContext(m_rear);
}

bool VRDPipComposer::compose(const AVFrame &front, const AVFrame *rear, const VRDPipLayout::Rect &rearRect, AVFrame &out)
{
    m_front = sws_getCachedContext(m_front, front.width, front.height, static_cast<AVPixelFormat>(front.format), out.width,
                                   out.height, AV_PIX_FMT_YUV420P, SWS_FAST_BILINEAR, nullptr, nullptr, nullptr);
    if (m_front == nullptr) {
        m_error = "cannot convert the front picture";
        return false;
    }
    sws_scale(m_front, front.data, front.linesize, 0, front.height, out.data, out.linesize);
    if (rear == nullptr)
        return true;
    m_rear = sws_getCachedContext(m_rear, rear->width, rear->height, static_cast<AVPixelFormat>(rear->format), rearRect.width,
                                  rearRect.height, AV_PIX_FMT_YUV420P, SWS_FAST_BILINEAR, nullptr, nullptr, nullptr);
    if (m_rear == nullptr) {
        m_error = "cannot scale the rear picture";
        return false;
    }
    std::uint8_t *planes[4] = {
        out.data[0] + static_cast<std::ptrdiff_t>(rearRect.y) * out.linesize[0] + rearRect.x,
        out.data[1] + static_cast<std::ptrdiff_t>(rearRect.y / 2) * out.linesize[1] + rearRect.x / 2,
        out.data[2] + static_cast<std::ptrdiff_t>(rearRect.y / 2) * out.linesize[2] + rearRect.x / 2,
        nullptr,
    };
    sws_scale(m_rear, rear->data, rear->linesize, 0, rear->height, planes, out.linesize);
    frameRect(out, rearRect);
    return true;
}

void VRDPipComposer::frameRect(AVFrame &out, const VRDPipLayout::Rect &rect) const
{
    const int thickness = std::max(2, out.width / 480) & ~1;
    const auto line = [&](int x, int y, int width, int height) {
        x = std::clamp(x, 0, out.width);
        y = std::clamp(y, 0, out.height);
        width = std::min(width, out.width - x);
        height = std::min(height, out.height - y);
        for (int row = y; row < y + height; ++row)
            std::memset(out.data[0] + static_cast<std::ptrdiff_t>(row) * out.linesize[0] + x, kWhiteLuma, static_cast<std::size_t>(width));
        for (int row = y / 2; row < (y + height) / 2; ++row) {
            std::memset(out.data[1] + static_cast<std::ptrdiff_t>(row) * out.linesize[1] + x / 2, 128, static_cast<std::size_t>(width / 2));
            std::memset(out.data[2] + static_cast<std::ptrdiff_t>(row) * out.linesize[2] + x / 2, 128, static_cast<std::size_t>(width / 2));
        }
    };
    line(rect.x - thickness, rect.y - thickness, rect.width + 2 * thickness, thickness);
    line(rect.x - thickness, rect.y + rect.height, rect.width + 2 * thickness, thickness);
    line(rect.x - thickness, rect.y, thickness, rect.height);
    line(rect.x + rect.width, rect.y, thickness, rect.height);
}
