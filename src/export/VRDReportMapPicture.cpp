#include "export/VRDReportMapPicture.h"

#include "maps/TKTileStore.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr int kTileSize = 256;
// The route keeps this share of the picture free on every side.
constexpr double kMargin = 0.1;
constexpr int kStepsOut = 2;
constexpr double kEquatorMetres = 40075016.686;

// Web-map (spherical Mercator) world pixels at a zoom.
QPointF worldPixel(const VRDSampleText::Position &where, int zoom)
{
    const double side = kTileSize * std::ldexp(1.0, zoom);
    const double latitude = std::clamp(where.latitude, -85.05112878, 85.05112878) * std::numbers::pi / 180.0;
    const double x = (where.longitude + 180.0) / 360.0 * side;
    const double y = (1.0 - std::log(std::tan(latitude) + 1.0 / std::cos(latitude)) / std::numbers::pi) / 2.0 * side;
    return {x, y};
}

struct Bounds {
    QPointF low, high;
};

Bounds boundsAt(const std::vector<VRDSampleText::Position> &route, int zoom)
{
    Bounds bounds{worldPixel(route.front(), zoom), worldPixel(route.front(), zoom)};
    for (const auto &where : route) {
        const QPointF p = worldPixel(where, zoom);
        bounds.low = {std::min(bounds.low.x(), p.x()), std::min(bounds.low.y(), p.y())};
        bounds.high = {std::max(bounds.high.x(), p.x()), std::max(bounds.high.y(), p.y())};
    }
    return bounds;
}

} // namespace

int VRDReportMapPicture::fittingZoom(const std::vector<VRDSampleText::Position> &route)
{
    if (route.empty())
        return 0;
    for (int zoom = kMaxZoom; zoom > 0; --zoom) {
        const Bounds bounds = boundsAt(route, zoom);
        if (bounds.high.x() - bounds.low.x() <= kWidth * (1 - 2 * kMargin)
            && bounds.high.y() - bounds.low.y() <= kHeight * (1 - 2 * kMargin))
            return zoom;
    }
    return 0;
}

std::optional<VRDReportMapPicture> VRDReportMapPicture::compose(const TKTileStore &store,
                                                                const std::vector<VRDSampleText::Position> &route)
{
    if (route.empty())
        return std::nullopt;
    const int fitting = fittingZoom(route);
    for (int zoom = fitting; zoom >= std::max(0, fitting - kStepsOut); --zoom) {
        const Bounds bounds = boundsAt(route, zoom);
        const QPointF centre = (bounds.low + bounds.high) / 2;
        const QPointF topLeft(std::floor(centre.x() - kWidth / 2.0), std::floor(centre.y() - kHeight / 2.0));
        const long long tiles = 1LL << zoom;
        const long long firstColumn = static_cast<long long>(std::floor(topLeft.x() / kTileSize));
        const long long lastColumn = static_cast<long long>(std::floor((topLeft.x() + kWidth - 1) / kTileSize));
        const long long firstRow = std::max(0LL, static_cast<long long>(std::floor(topLeft.y() / kTileSize)));
        const long long lastRow = std::min(tiles - 1, static_cast<long long>(std::floor((topLeft.y() + kHeight - 1) / kTileSize)));

        QImage picture(kWidth, kHeight, QImage::Format_RGB32);
        picture.fill(QColor(224, 224, 224));
        QPainter painter(&picture);
        bool complete = true;
        for (long long row = firstRow; complete && row <= lastRow; ++row) {
            for (long long column = firstColumn; column <= lastColumn; ++column) {
                // Columns wrap around the antimeridian.
                const long long wrapped = ((column % tiles) + tiles) % tiles;
                const QImage tile = store.tileImage(zoom, static_cast<int>(wrapped), static_cast<int>(row));
                if (tile.isNull()) {
                    complete = false;
                    break;
                }
                const QRectF target(column * kTileSize - topLeft.x(), row * kTileSize - topLeft.y(), kTileSize, kTileSize);
                painter.drawImage(target, tile);
            }
        }
        painter.end();
        if (!complete)
            continue;
        VRDReportMapPicture map;
        map.m_picture = std::move(picture);
        map.m_zoom = zoom;
        map.m_topLeft = topLeft;
        map.m_attribution = store.attribution();
        return map;
    }
    return std::nullopt;
}

QPointF VRDReportMapPicture::place(const VRDSampleText::Position &where) const
{
    return worldPixel(where, m_zoom) - m_topLeft;
}

double VRDReportMapPicture::metresPerPixel() const
{
    const double side = kTileSize * std::ldexp(1.0, m_zoom);
    const double centreY = m_topLeft.y() + kHeight / 2.0;
    const double latitude = std::atan(std::sinh(std::numbers::pi * (1.0 - 2.0 * centreY / side)));
    return kEquatorMetres * std::cos(latitude) / side;
}
