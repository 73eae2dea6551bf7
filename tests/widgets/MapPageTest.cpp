// The map page loaded from the resources into a real web view (needs a display).
#include "WebPageScript.h"
#include "widgets/TKMapPage.h"

#include <QEventLoop>
#include <QTest>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <functional>
#include <gtest/gtest.h>

namespace {

class MapPageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        view->resize(400, 300);
        view->show();
        // Called before the page can take it: waits and runs once the page is ready.
        map.runScript("VRDDebug('queued before ready')");
        ASSERT_FALSE(map.isReady());
        ASSERT_TRUE(waitUntil([this] { return map.isReady(); }, 30000));
    }

    // The view goes before the map page, as the window does in the application:
    // a profile released while its page still shows is a crash waiting to happen.
    ~MapPageTest() override { delete view; }

    QWebEngineView *view = new QWebEngineView;
    TKMapPage map{view};
};

} // namespace

TEST_F(MapPageTest, SetLatLagTakesLongitudeFirstAndMovesTheMarker)
{
    QWebEnginePage &page = *view->page();
    EXPECT_EQ(view->url(), QUrl(TKMapPage::kPageUrl));
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

    // Garbage, and a sample without a fix (0/0), leave the marker and the map where they were.
    EXPECT_FALSE(evaluate(page, "setLatLag('abc','95')").toBool());
    EXPECT_FALSE(evaluate(page, "setLatLag('0.000000','0.000000')").toBool());
    EXPECT_NEAR(evaluate(page, "tovikMap.getCenter().lat").toDouble(), -37.5, 1e-6);
    EXPECT_DOUBLE_EQ(evaluate(page, "tovikMarkerPosition()[0]").toDouble(), -37.5);
}

TEST_F(MapPageTest, RouteIsDrawnAndFittedAndDebugTextShows)
{
    QWebEnginePage &page = *view->page();
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

namespace {

// A drive east along 48.1 N in two stretches, slow then fast.
QList<QList<TKMapPage::SpeedPoint>> sampleDrive()
{
    QList<TKMapPage::SpeedPoint> slow;
    QList<TKMapPage::SpeedPoint> fast;
    for (int i = 0; i <= 20; ++i) {
        slow.append({48.1, 11.50 + i * 0.0005, 20.0});
        fast.append({48.1, 11.52 + i * 0.0005, i < 10 ? 40.0 : 95.0});
    }
    return {slow, fast};
}

} // namespace

TEST_F(MapPageTest, AClickOnTheDrivesRouteComesBackWithItsPlaceAndGarbageFromThePageDoesNot)
{
    QWebEnginePage &page = *view->page();
    QList<QPointF> clicks;
    QObject::connect(&map, &TKMapPage::routeClicked, [&](double latitude, double longitude) { clicks.append({latitude, longitude}); });
    map.setTripRoute(sampleDrive());
    map.setTripEvents({{48.1, 11.525, "07:14:02 · 1.20 g <b>"}, {95.0, 11.5, "out of range"}});
    ASSERT_TRUE(waitUntil([&] { return evaluate(page, "tovikTripEventCount()").toInt() == 1; }, 5000));
    EXPECT_EQ(evaluate(page, "tovikTripSegmentCount()").toInt(), 4) << "one run per speed colour (the step from 40 to 95 km/h is a band of its own), not one line per step";
    EXPECT_EQ(evaluate(page, "tovikEvents.getLayers()[0].getTooltip().getContent().textContent").toString(),
              "07:14:02 · 1.20 g <b>") << "a label is text, never markup";
    EXPECT_TRUE(evaluate(page, "tovikMap.getBounds().contains([48.1, 11.50]) && tovikMap.getBounds().contains([48.1, 11.53])").toBool());

    // The recording's route under a drive is the halo of the part playing: the drive stays fitted.
    map.setRoute({{48.1, 11.521}, {48.1, 11.522}});
    ASSERT_TRUE(waitUntil([&] { return evaluate(page, "tovikRoutePointCount()").toInt() == 2; }, 5000));
    EXPECT_EQ(evaluate(page, "tovikRoute.options.pane").toString(), "tovikHalo");
    EXPECT_TRUE(evaluate(page, "tovikMap.getBounds().contains([48.1, 11.50])").toBool()) << "the drive is still in view";

    // A real click on the route in the page, where the pointer would be.
    const QVariantList at = evaluate(page, "tovikPagePoint(48.1, 11.505)").toList();
    ASSERT_EQ(at.size(), 2);
    evaluate(page, QStringLiteral("document.elementFromPoint(%1, %2).dispatchEvent(new MouseEvent('click', "
                                  "{clientX: %1, clientY: %2, bubbles: true}))")
                       .arg(at[0].toDouble())
                       .arg(at[1].toDouble()));
    ASSERT_TRUE(waitUntil([&] { return !clicks.isEmpty(); }, 5000)) << "the page's click reaches the application";
    EXPECT_NEAR(clicks[0].x(), 48.1, 0.001);
    EXPECT_NEAR(clicks[0].y(), 11.505, 0.001);

    // Whatever else a script hands the application is dropped.
    evaluate(page, "tovikApp.routeClicked('48.1', 11.5); tovikApp.routeClicked(91, 11.5); tovikApp.routeClicked(48.1, -180.5);"
                   "tovikApp.routeClicked(48.1, Infinity); tovikApp.routeClicked(null, 11.5); tovikApp.routeClicked({}, []);"
                   "tovikApp.routeClicked(-90, 180)");
    ASSERT_TRUE(waitUntil([&] { return clicks.size() == 2; }, 5000));
    QTest::qWait(300);
    ASSERT_EQ(clicks.size(), 2) << "only the last call was a place in range";
    EXPECT_EQ(clicks[1], QPointF(-90, 180));

    map.setTripRoute({});
    map.setTripEvents({});
    ASSERT_TRUE(waitUntil([&] { return evaluate(page, "tovikTripSegmentCount() + tovikTripEventCount()").toInt() == 0; }, 5000));
    EXPECT_EQ(evaluate(page, "tovikRoute.options.pane").toString(), "overlayPane") << "alone again, the route is drawn as itself";
}
