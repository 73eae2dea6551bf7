// The map page loaded from the resources into a real web view (needs a display).
#include "widgets/TKMapPage.h"

#include <QEventLoop>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <functional>
#include <gtest/gtest.h>

namespace {

QVariant evaluate(QWebEnginePage &page, const QString &script)
{
    QVariant result;
    bool done = false;
    QEventLoop loop;
    page.runJavaScript(script, [&](const QVariant &value) {
        result = value;
        done = true;
        loop.quit();
    });
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    if (!done)
        loop.exec();
    return result;
}

bool waitUntil(const std::function<bool()> &condition, int milliseconds)
{
    for (int waited = 0; waited < milliseconds; waited += 100) {
        if (condition())
            return true;
        QEventLoop loop;
        QTimer::singleShot(100, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return condition();
}

class MapPageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        view.resize(400, 300);
        view.show();
        // Called before the page can take it: waits and runs once the page is ready.
        map.runScript("VRDDebug('queued before ready')");
        ASSERT_FALSE(map.isReady());
        ASSERT_TRUE(waitUntil([this] { return map.isReady(); }, 30000));
    }

    QWebEngineView view;
    TKMapPage map{&view};
};

} // namespace

TEST_F(MapPageTest, SetLatLagTakesLongitudeFirstAndMovesTheMarker)
{
    QWebEnginePage &page = *view.page();
    EXPECT_EQ(view.url(), QUrl(TKMapPage::kPageUrl));
    EXPECT_EQ(evaluate(page, "document.getElementById('debug').textContent").toString(), "queued before ready");
    EXPECT_EQ(evaluate(page, "tovikMarkerPosition()"), QVariant());
    EXPECT_TRUE(evaluate(page, "setLatLag('-122.000000','-37.500000')").toBool());
    const QVariantList position = evaluate(page, "tovikMarkerPosition()").toList();
    ASSERT_EQ(position.size(), 2);
    EXPECT_DOUBLE_EQ(position[0].toDouble(), -37.5);
    EXPECT_DOUBLE_EQ(position[1].toDouble(), -122.0);
    const QVariantList centre = evaluate(page, "[tovikMap.getCenter().lat, tovikMap.getCenter().lng]").toList();
    ASSERT_EQ(centre.size(), 2);
    EXPECT_NEAR(centre[0].toDouble(), -37.5, 1e-6);
    EXPECT_NEAR(centre[1].toDouble(), -122.0, 1e-6);
    EXPECT_GE(evaluate(page, "tovikMap.getZoom()").toInt(), 13) << "streets, not the world";

    // Garbage leaves the marker where it was.
    EXPECT_FALSE(evaluate(page, "setLatLag('abc','95')").toBool());
    EXPECT_DOUBLE_EQ(evaluate(page, "tovikMarkerPosition()[0]").toDouble(), -37.5);
}

TEST_F(MapPageTest, RouteIsDrawnAndFittedAndDebugTextShows)
{
    QWebEnginePage &page = *view.page();
    map.setRoute({{37.50, 127.00}, {37.52, 127.03}, {0, 0}, {37.55, 127.05}});
    ASSERT_TRUE(waitUntil([&] { return evaluate(page, "tovikRoutePointCount()").toInt() == 3; }, 5000))
        << "a point at 0,0 is a missing fix and is left out";
    EXPECT_TRUE(evaluate(page, "tovikMap.getBounds().contains([37.55, 127.05])").toBool());
    EXPECT_EQ(evaluate(page, "setRoute([])").toInt(), 0);
    EXPECT_EQ(evaluate(page, "tovikRoutePointCount()").toInt(), 0);

    evaluate(page, "VRDDebug('GPS Data Count=Zero')");
    EXPECT_EQ(evaluate(page, "document.getElementById('debug').textContent").toString(), "GPS Data Count=Zero");
    EXPECT_EQ(evaluate(page, "document.getElementById('debug').className").toString(), "shown");
}
