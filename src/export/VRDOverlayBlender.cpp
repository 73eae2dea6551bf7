#include "export/VRDOverlayBlender.h"

extern "C" {
#include <libavutil/frame.h>
}

#include <algorithm>

namespace {

std::uint8_t mix(std::uint8_t under, std::uint8_t over, int alpha)
{
    return static_cast<std::uint8_t>((over * alpha + under * (255 - alpha) + 127) / 255);
}

} // namespace

void VRDOverlayBlender::prepare(const QImage &image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    m_width = argb.width() & ~1;
    m_height = argb.height() & ~1;
    const auto size = static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height);
    m_luma.assign(size, 0);
    m_alpha.assign(size, 0);
    m_cb.assign(size / 4, 128);
    m_cr.assign(size / 4, 128);
    m_chromaAlpha.assign(size / 4, 0);
    // BT.601 limited range, as the camera's and the encoder's pictures.
    for (int y = 0; y < m_height; ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        for (int x = 0; x < m_width; ++x) {
            const int r = qRed(row[x]), g = qGreen(row[x]), b = qBlue(row[x]);
            const std::size_t at = static_cast<std::size_t>(y) * m_width + x;
            m_luma[at] = static_cast<std::uint8_t>(((66 * r + 129 * g + 25 * b + 128) >> 8) + 16);
            m_alpha[at] = static_cast<std::uint8_t>(qAlpha(row[x]));
        }
    }
    for (int y = 0; y < m_height / 2; ++y) {
        for (int x = 0; x < m_width / 2; ++x) {
            int r = 0, g = 0, b = 0, a = 0;
            for (int dy = 0; dy < 2; ++dy) {
                const auto *row = reinterpret_cast<const QRgb *>(argb.constScanLine(2 * y + dy));
                for (int dx = 0; dx < 2; ++dx) {
                    const QRgb pixel = row[2 * x + dx];
                    r += qRed(pixel);
                    g += qGreen(pixel);
                    b += qBlue(pixel);
                    a += qAlpha(pixel);
                }
            }
            r /= 4, g /= 4, b /= 4;
            const std::size_t at = static_cast<std::size_t>(y) * (m_width / 2) + x;
            m_cb[at] = static_cast<std::uint8_t>(std::clamp(((-38 * r - 74 * g + 112 * b + 128) >> 8) + 128, 0, 255));
            m_cr[at] = static_cast<std::uint8_t>(std::clamp(((112 * r - 94 * g - 18 * b + 128) >> 8) + 128, 0, 255));
            m_chromaAlpha[at] = static_cast<std::uint8_t>(a / 4);
        }
    }
}

void VRDOverlayBlender::blend(AVFrame &frame, int x, int y) const
{
    const int width = std::min(m_width, frame.width - x) & ~1;
    const int height = std::min(m_height, frame.height - y) & ~1;
    for (int row = 0; row < height; ++row) {
        std::uint8_t *luma = frame.data[0] + static_cast<std::ptrdiff_t>(y + row) * frame.linesize[0] + x;
        const std::size_t from = static_cast<std::size_t>(row) * m_width;
        for (int column = 0; column < width; ++column) {
            const int alpha = m_alpha[from + column];
            if (alpha != 0)
                luma[column] = mix(luma[column], m_luma[from + column], alpha);
        }
    }
    for (int row = 0; row < height / 2; ++row) {
        std::uint8_t *cb = frame.data[1] + static_cast<std::ptrdiff_t>(y / 2 + row) * frame.linesize[1] + x / 2;
        std::uint8_t *cr = frame.data[2] + static_cast<std::ptrdiff_t>(y / 2 + row) * frame.linesize[2] + x / 2;
        const std::size_t from = static_cast<std::size_t>(row) * (m_width / 2);
        for (int column = 0; column < width / 2; ++column) {
            const int alpha = m_chromaAlpha[from + column];
            if (alpha == 0)
                continue;
            cb[column] = mix(cb[column], m_cb[from + column], alpha);
            cr[column] = mix(cr[column], m_cr[from + column], alpha);
        }
    }
}
