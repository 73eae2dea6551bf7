#include "viewer/VRDSensorDisplay.h"

#include <QLabel>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

VRDGpsData fix(double latitude, char ns, double longitude, char ew)
{
    VRDGpsData data;
    data.Latitude = latitude;
    data.NS = ns;
    data.Longitude = longitude;
    data.EW = ew;
    return data;
}

struct SensorDisplayFixture : ::testing::Test {
    QLabel x, y, z, speed, hdop, satellites;
    VRDSensorDisplay display{{&x, &y, &z, &speed, &hdop, &satellites}};
    QSignalSpy scripts{&display, &VRDSensorDisplay::mapScriptRequested};
};

TEST(VRDSensorDisplayRules, SampleIndexFollowsThePositionAndStaysInTheList)
{
    EXPECT_EQ(VRDSensorDisplay::sampleIndex(0.5, 600), 300u);
    EXPECT_EQ(VRDSensorDisplay::sampleIndex(1.0, 600), 599u);
    EXPECT_EQ(VRDSensorDisplay::sampleIndex(0.0, 600), 0u);
    EXPECT_EQ(VRDSensorDisplay::sampleIndex(0.99999, 600), 599u);
    EXPECT_EQ(VRDSensorDisplay::sampleIndex(-0.1, 600), 599u) << "a negative index counts as too large";
    EXPECT_EQ(VRDSensorDisplay::sampleIndex(0.7, 1), 0u);
}

TEST(VRDSensorDisplayRules, TextsAndMapCallsOfOneFix)
{
    EXPECT_EQ(VRDSensorDisplay::gsensorText('X', 0.25f), "X=+0.25");
    EXPECT_EQ(VRDSensorDisplay::gsensorText('Y', -1.5f), "Y=-1.50");
    EXPECT_EQ(VRDSensorDisplay::gsensorText('Z', 0.0f), "Z=0.00");

    EXPECT_EQ(VRDSensorDisplay::setLatLagScript(fix(3730.0, 'S', 12200.0, 'W')),
              "setLatLag('-122.000000','-37.500000')");
    EXPECT_EQ(VRDSensorDisplay::setLatLagScript(fix(4808.4, 'N', 1134.5, 'E')),
              "setLatLag('11.575000','48.140000')");

    VRDGpsData moving;
    moving.SpeedOverGround = 57.9;
    EXPECT_EQ(VRDSensorDisplay::speedText(moving), "57 Km/h");
    moving.flags = 0x31;
    EXPECT_EQ(VRDSensorDisplay::speedText(moving), "57 Mi/h");
    moving.SpeedOverGround = -1;
    EXPECT_EQ(VRDSensorDisplay::speedText(moving), "- Km/h");
}

TEST_F(SensorDisplayFixture, ShowsTheSampleAtThePositionAndSendsTheRouteOnce)
{
    auto snapshot = std::make_shared<VRDBlackBoxSnapshot>();
    for (int i = 0; i < 4; ++i)
        snapshot->GSensors.emplace_back(0.1f * static_cast<float>(i), -0.5f, 1.0f);
    VRDGpsData first = fix(4808.4, 'N', 1134.5, 'E');
    first.SpeedOverGround = 42.4;
    first.HDOP = 0.94;
    first.SatelliteUsedCount = 30;
    snapshot->NMEAs = {first, fix(0, 'N', 0, 'E')};
    snapshot->RecordFixIndexes = {0, 1};
    QSignalSpy routes(&display, &VRDSensorDisplay::routeChanged);
    display.setSnapshot(snapshot);
    ASSERT_EQ(routes.size(), 1);
    const auto route = routes[0][0].value<QList<QPointF>>();
    ASSERT_EQ(route.size(), 1) << "a fix at 0/0 has no place on the route";
    EXPECT_NEAR(route[0].x(), 48.14, 1e-9);

    display.updateGsensorUIByPlayPositon(0.5);
    display.updateGpsUIByPlayPosition(0.25);
    EXPECT_EQ(x.text(), "X=+0.20");
    EXPECT_EQ(y.text(), "Y=-0.50");
    EXPECT_EQ(speed.text(), "42 Km/h");
    EXPECT_EQ(hdop.text(), "0.9");
    EXPECT_EQ(satellites.text(), "0");
    ASSERT_EQ(scripts.size(), 1);
    EXPECT_EQ(scripts[0][0].toString(), "setLatLag('11.575000','48.140000')");

    display.resetFields();
    EXPECT_EQ(x.text(), "X=+0.00");
    EXPECT_EQ(speed.text(), "");
}

TEST_F(SensorDisplayFixture, WithoutGpsEveryPositionTellsThePageAndLeavesTheFields)
{
    display.setSnapshot(std::make_shared<VRDBlackBoxSnapshot>());
    display.resetFields();
    display.updateGsensorUIByPlayPositon(0.3);
    display.updateGpsUIByPlayPosition(0.3);
    display.updateGpsUIByPlayPosition(0.6);
    EXPECT_EQ(x.text(), "X=+0.00");
    EXPECT_EQ(speed.text(), "");
    ASSERT_EQ(scripts.size(), 2);
    EXPECT_EQ(scripts[1][0].toString(), "VRDDebug('GPS Data Count=Zero')");
}

} // namespace
