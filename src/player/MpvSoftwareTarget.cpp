#include "player/MpvSoftwareTarget.h"

#include <mpv/render.h>

#include <QSysInfo>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <iterator>

namespace {

// libmpv's scalers take their fast paths with rows and the buffer on 64-byte bounds.
constexpr std::size_t kAlignment = 64;
constexpr int kBytesPerPixel = 4;
// QImage::Format_RGB32 is 0xffRRGGBB in native byte order.
constexpr bool kLittleEndian = QSysInfo::ByteOrder == QSysInfo::LittleEndian;
constexpr char kRgb32Format[] = {kLittleEndian ? 'b' : '0', kLittleEndian ? 'g' : 'r', kLittleEndian ? 'r' : 'g',
                                 kLittleEndian ? '0' : 'b', '\0'};
constexpr std::uint32_t kOpaque = 0xff000000u;

void freeAligned(void *pixels)
{
    std::free(pixels);
}

QImage alignedImage(const QSize &size)
{
    const std::size_t rowBytes = static_cast<std::size_t>(size.width()) * kBytesPerPixel;
    const std::size_t stride = (rowBytes + kAlignment - 1) / kAlignment * kAlignment;
    void *pixels = std::aligned_alloc(kAlignment, stride * static_cast<std::size_t>(size.height()));
    if (pixels == nullptr)
        return {};
    return QImage(static_cast<uchar *>(pixels), size.width(), size.height(), static_cast<qsizetype>(stride),
                  QImage::Format_RGB32, &freeAligned, pixels);
}

} // namespace

int MpvSoftwareTarget::render(mpv_render_context *context, const QSize &size)
{
    if (m_image.size() != size) {
        m_image = alignedImage(size);
        if (m_image.isNull())
            return MPV_ERROR_NOMEM;
    }
    int dimensions[2] = {size.width(), size.height()};
    char format[sizeof kRgb32Format];
    std::copy(std::begin(kRgb32Format), std::end(kRgb32Format), format);
    auto stride = static_cast<std::size_t>(m_image.bytesPerLine());
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_SW_SIZE, dimensions},
        {MPV_RENDER_PARAM_SW_FORMAT, format},
        {MPV_RENDER_PARAM_SW_STRIDE, &stride},
        {MPV_RENDER_PARAM_SW_POINTER, m_image.bits()},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    const int result = mpv_render_context_render(context, params);
    if (result < 0)
        return result;
    // libmpv leaves the fourth byte undefined; painting treats the picture as opaque
    // only when it says so.
    for (int y = 0; y < m_image.height(); ++y) {
        auto *row = reinterpret_cast<std::uint32_t *>(m_image.scanLine(y));
        for (int x = 0; x < m_image.width(); ++x)
            row[x] |= kOpaque;
    }
    return result;
}
