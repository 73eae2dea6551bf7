// The report's map from kept tiles: the zoom that fits the route, the
// route's place and scale on it, and giving up when tiles are missing.
#include "export/VRDReportMapPicture.h"
#include "maps/TKTileStore.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>

#include <cmath>
#include <numbers>

namespace {

constexpr double kEarthRadius = 6371008.8;

double metresBetween(const VRDSampleText::Position &a, const VRDSampleText::Position &b)
{
    const double toRadians = std::numbers::pi / 180;
    const double dLat = (b.latitude - a.latitude) * toRadians, dLon = (b.longitude - a.longitude) * toRadians;
    const double h = std::pow(std::sin(dLat / 2), 2)
        + std::cos(a.latitude * toRadians) * std::cos(b.latitude * toRadians) * std::pow(std::sin(dLon / 2), 2);
    return 2 * kEarthRadius * std::asin(std::sqrt(h));
}

// A folder store with a one-coloured tile everywhere within 5 tiles of the
// place at zooms 10 to 17.
QString storeAround(const VRDSampleText::Position &place)
{
    const QString root = qEnvironmentVariable("TOVIK_TEST_TMP") + "/report-map-tiles";
    QDir(root).removeRecursively();
    QImage tile(256, 256, QImage::Format_RGB32);
    tile.fill(QColor(90, 200, 150));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    tile.save(&buffer, "PNG");
    for (int zoom = 10; zoom <= 17; ++zoom) {
        const double n = std::ldexp(1.0, zoom);
        const double phi = place.latitude * std::numbers::pi / 180;
        const int x = int((place.longitude + 180) / 360 * n);
        const int y = int((1 - std::log(std::tan(phi) + 1 / std::cos(phi)) / std::numbers::pi) / 2 * n);
        for (int column = x - 5; column <= x + 5; ++column) {
            for (int row = y - 5; row <= y + 5; ++row) {
                const QString folder = QString("%1/%2/%3").arg(root).arg(zoom).arg(column);
                QDir().mkpath(folder);
                QFile file(QString("%1/%2.png").arg(folder).arg(row));
                if (file.open(QIODevice::WriteOnly))
                    file.write(png);
            }
        }
    }
    return root;
}

} // namespace

TEST(ReportMap, FitsTheRouteAtTheDeepestZoomWithKeptTilesAndKeepsItsScale)
{
    // About 2.6 km west to east and 1.7 km south to north.
    const std::vector<VRDSampleText::Position> route{{48.1300, 11.5550}, {48.1380, 11.5720}, {48.1450, 11.5900}};
    const QString root = storeAround(route[1]);
    const TKTileStore store(TKMapSource(), root);

    const int fitting = VRDReportMapPicture::fittingZoom(route);
    const std::optional<VRDReportMapPicture> map = VRDReportMapPicture::compose(store, route);
    ASSERT_TRUE(map);
    EXPECT_EQ(map->zoom(), fitting);
    EXPECT_EQ(map->attribution(), store.attribution());
    EXPECT_EQ(map->picture().size(), QSize(VRDReportMapPicture::kWidth, VRDReportMapPicture::kHeight));
    EXPECT_EQ(map->picture().pixelColor(0, 0), QColor(90, 200, 150)) << "tiles cover the corners too";
    const QPointF start = map->place(route.front()), end = map->place(route.back());
    const QRectF inside(0, 0, VRDReportMapPicture::kWidth, VRDReportMapPicture::kHeight);
    EXPECT_TRUE(inside.contains(start) && inside.contains(end));
    // One zoom deeper would no longer fit: the route spans more than
    // 40 % of the picture one way.
    EXPECT_TRUE(std::abs(end.x() - start.x()) > 0.4 * VRDReportMapPicture::kWidth
                || std::abs(end.y() - start.y()) > 0.4 * VRDReportMapPicture::kHeight);
    const double pixels = std::hypot(end.x() - start.x(), end.y() - start.y());
    EXPECT_NEAR(pixels * map->metresPerPixel() / metresBetween(route.front(), route.back()), 1.0, 0.005);

    // A car standing still: the deepest zoom offered.
    EXPECT_EQ(VRDReportMapPicture::compose(store, {route[1]})->zoom(), VRDReportMapPicture::kMaxZoom);

    // A missing tile at the fitting zoom: one step further out.
    ASSERT_TRUE(QDir(QString("%1/%2").arg(root).arg(fitting)).removeRecursively());
    ASSERT_TRUE(VRDReportMapPicture::compose(store, route));
    EXPECT_EQ(VRDReportMapPicture::compose(store, route)->zoom(), fitting - 1);
    // Further than two steps the route would be a speck: no map.
    ASSERT_TRUE(QDir(QString("%1/%2").arg(root).arg(fitting - 1)).removeRecursively());
    ASSERT_TRUE(QDir(QString("%1/%2").arg(root).arg(fitting - 2)).removeRecursively());
    EXPECT_FALSE(VRDReportMapPicture::compose(store, route));
    EXPECT_FALSE(VRDReportMapPicture::compose(store, {}));
}
