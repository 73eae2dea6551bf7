// The map page without a network: tiles from a store filled beforehand are
// served through the application's scheme, and where none is at hand the
// route still shows on a grid with a scale bar (needs a display).
#include "WebPageScript.h"
#include "Screenshot.h"

#include "maps/TKTileResponder.h"
#include "maps/TKTileStore.h"
#include "widgets/TKMapPage.h"

#include <QBuffer>
#include <QDir>
#include <QEventLoop>
#include <QPainter>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <numbers>

namespace {

// A short drive, latitude and longitude.
const QList<QPointF> kRoute{{48.1372, 11.5755}, {48.1390, 11.5790}, {48.1420, 11.5830}, {48.1445, 11.5880}};

QByteArray tilePicture(const TKTileKey &key)
{
    QImage image(256, 256, QImage::Format_RGB32);
    image.fill(QColor(0xd8, 0xe4, 0xcf));
    QPainter painter(&image);
    painter.drawText(image.rect(), Qt::AlignCenter, QString::fromStdString(key.relativePath()));
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// The tiles around the route's start at every zoom the map may show.
void fillStore(const TKTileStore &store)
{
    const double lat = kRoute.front().x() * std::numbers::pi / 180;
    const double lng = kRoute.front().y();
    for (int z = 0; z <= 18; ++z) {
        const double side = std::ldexp(1.0, z);
        const auto x = static_cast<std::int64_t>((lng + 180) / 360 * side);
        const auto y = static_cast<std::int64_t>((1 - std::asinh(std::tan(lat)) / std::numbers::pi) / 2 * side);
        for (std::int64_t dx = -3; dx <= 3; ++dx) {
            for (std::int64_t dy = -3; dy <= 3; ++dy) {
                if (const auto key = TKTileKey::make(z, x + dx, y + dy)) {
                    ASSERT_TRUE(store.keep(*key, tilePicture(*key)));
                }
            }
        }
    }
}

QString storeRoot(const char *name)
{
    const QString root = QString::fromLocal8Bit(qgetenv("TOVIK_TEST_TMP")) + '/' + name;
    QDir(root).removeRecursively();
    return root;
}

struct OfflineMap {
    explicit OfflineMap(const QString &root)
        : tiles(std::make_shared<TKTileResponder>(
              std::make_unique<TKTileStore>(TKMapSource{TKTileSourceKind::KeptOnly, {}}, root), nullptr))
    {
        view.resize(334, 400);
        view.show();
    }
    OfflineMap(const OfflineMap &) = delete;
    OfflineMap &operator=(const OfflineMap &) = delete;
    // The view goes before the map page, as the window does in the application: a
    // profile released while its page still shows crashes the web engine.
    ~OfflineMap() { delete &view; }
    bool ready() { return waitUntil([this] { return map.isReady(); }, 30000); }

    std::shared_ptr<TKTileResponder> tiles;
    QWebEngineView &view = *new QWebEngineView;
    TKMapPage map{&view, tiles};
};

} // namespace

TEST(OfflineMapTest, KeptTilesAreServedWithoutANetwork)
{
    const QString root = storeRoot("kept-tiles");
    fillStore(TKTileStore(TKMapSource(), root));
    OfflineMap offline(root);
    ASSERT_TRUE(offline.ready());
    offline.map.setRoute(kRoute);

    ASSERT_TRUE(waitUntil([&] { return offline.tiles->servedCount() >= 4; }, 15000))
        << "tiles served: " << offline.tiles->servedCount();
    QWebEnginePage &page = *offline.view.page();
    EXPECT_TRUE(waitUntil([&] {
        return evaluate(page, "document.querySelectorAll('img.leaflet-tile-loaded').length").toInt() >= 4;
    }, 10000)) << "the page shows the served pictures";
    // Tiles fade in.
    waitUntil([] { return false; }, 1000);
    saveScreenshot(offline.view, "map_offline_kept_tiles");
}

TEST(OfflineMapTest, RouteFitsThePanelOnAGridWithAScaleBarWhereNoTileExists)
{
    OfflineMap offline(storeRoot("no-tiles"));
    // The route arrives while the panel is hidden, as when the list shows.
    offline.view.hide();
    ASSERT_TRUE(offline.ready());
    offline.map.setRoute(kRoute);
    QWebEnginePage &page = *offline.view.page();
    ASSERT_TRUE(waitUntil([&] { return evaluate(page, "tovikRoutePointCount()").toInt() == 4; }, 5000));

    offline.view.resize(334, 420);
    offline.view.show();
    EXPECT_TRUE(waitUntil([&] { return evaluate(page, "tovikRouteInView()").toBool(); }, 5000))
        << "the whole route lies in the panel once it shows";
    EXPECT_GE(evaluate(page, "tovikMap.getZoom()").toInt(), 13) << "fitted to the route, not the world";
    // The marker moving along the route keeps the fitted view.
    evaluate(page, "setLatLag('11.579000','48.139000')");
    EXPECT_TRUE(evaluate(page, "tovikRouteInView()").toBool());

    EXPECT_GT(evaluate(page, "document.querySelectorAll('.tovik-grid-tile').length").toInt(), 0);
    EXPECT_FALSE(evaluate(page, "document.querySelector('.leaflet-control-scale-line').textContent").toString().isEmpty());
    EXPECT_TRUE(evaluate(page, "document.querySelector('.leaflet-control-attribution').textContent")
                    .toString()
                    .contains("OpenStreetMap"));
    EXPECT_EQ(offline.tiles->servedCount(), 0);

    // A single point is fitted too.
    offline.map.setRoute({kRoute.front()});
    EXPECT_TRUE(waitUntil([&] { return evaluate(page, "tovikRoutePointCount()").toInt() == 1; }, 5000));
    EXPECT_TRUE(evaluate(page, "tovikRouteInView()").toBool());
    offline.map.setRoute(kRoute);
    waitUntil([&] { return evaluate(page, "tovikRoutePointCount()").toInt() == 4; }, 5000);
    waitUntil([] { return false; }, 1000);
    saveScreenshot(offline.view, "map_offline_grid");
}
