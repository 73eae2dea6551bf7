// The text formats of an export: the manifest's exact layout, positions
// in degrees, minutes and seconds, the sample range a span covers and the
// scale bar of the report's route.
#include "export/VRDClipSamples.h"
#include "export/VRDManifestWriter.h"
#include "export/VRDPipLayout.h"
#include "export/VRDReportRoutePainter.h"
#include "export/VRDSampleText.h"

#include <gtest/gtest.h>

TEST(ManifestWriter, WritesTheRangeAndEveryFileInTheGivenLayout)
{
    const std::string json = VRDManifestWriter::json(
        2, 6.5, 1, "2026-12-07T01:57:26Z",
        {{"/card/a \"b\".MP4", "original", std::string(64, 'a'), 299039, "ignored"}, {"G_F.MP4", "export", "ff", 10, ""}});
    EXPECT_EQ(json, "{\"from\":2.0,\"to\":6.5,\"actualFrom\":1.0,\"createdUtc\":\"2026-12-07T01:57:26Z\",\"files\":["
                    "{\"name\":\"/card/a \\\"b\\\".MP4\",\"role\":\"original\",\"sha256\":\"" + std::string(64, 'a')
                        + "\",\"bytes\":299039},{\"name\":\"G_F.MP4\",\"role\":\"export\",\"sha256\":\"ff\",\"bytes\":10}]}\n");
}

TEST(SampleText, PositionsInDecimalAndInDegreesMinutesSeconds)
{
    EXPECT_EQ(VRDSampleText::degreesMinutesSeconds({48.137154, 11.575382}), "48\u00b008'13.8\"N 11\u00b034'31.4\"E");
    EXPECT_EQ(VRDSampleText::degreesMinutesSeconds({-33.868820, -151.209296}), "33\u00b052'07.8\"S 151\u00b012'33.5\"W");
    // 59.99" rounds up into the next minute and degree.
    EXPECT_EQ(VRDSampleText::degreesMinutesSeconds({10.9999999, 0.5}), "11\u00b000'00.0\"N 0\u00b030'00.0\"E");
    EXPECT_EQ(VRDSampleText::decimal({48.137154, -11.5}), "48.137154, -11.500000");

    VRDGpsData fix;
    EXPECT_FALSE(VRDSampleText::position(fix)) << "0, 0 is no fix";
    fix.Latitude = 4808.2292;
    fix.Longitude = 1134.5229;
    fix.EW = 'W';
    ASSERT_TRUE(VRDSampleText::position(fix));
    EXPECT_NEAR(VRDSampleText::position(fix)->longitude, -11.575382, 1e-6);
    fix.SpeedOverGround = 52.4;
    EXPECT_EQ(VRDSampleText::speed(fix), "52 km/h");
    fix.flags = 0x31;
    EXPECT_EQ(VRDSampleText::speed(fix), "52 mph");
}

TEST(ClipSamples, SampleRangeCoversTheSpanAndStaysInTheTrack)
{
    using Range = std::pair<std::size_t, std::size_t>;
    // 100 samples over 10 s: one every 0.1 s.
    EXPECT_EQ(VRDClipSamples::sampleRange(100, 10.0, 1.0, 6.0333), Range(10, 61));
    EXPECT_EQ(VRDClipSamples::sampleRange(100, 10.0, 0.0, 10.0), Range(0, 100));
    EXPECT_EQ(VRDClipSamples::sampleRange(100, 10.0, 9.95, 12.0), Range(99, 100));
    EXPECT_EQ(VRDClipSamples::sampleRange(0, 10.0, 0.0, 10.0), Range(0, 0));
    EXPECT_EQ(VRDClipSamples::sampleRange(100, 0.0, 0.0, 10.0), Range(0, 0));
}

TEST(ReportRoute, ScaleBarIsOneTwoOrFiveTimesAPowerOfTen)
{
    EXPECT_EQ(VRDReportRoutePainter::scaleBarMetres(730), 500);
    EXPECT_EQ(VRDReportRoutePainter::scaleBarMetres(99), 50);
    EXPECT_EQ(VRDReportRoutePainter::scaleBarMetres(2500), 2000);
    EXPECT_EQ(VRDReportRoutePainter::scaleBarMetres(1), 1);
}

TEST(PipLayout, InsetAndDataBoxStayApartInsideThePictureAboveItsBottomBand)
{
    using Corner = VRDPipLayout::Corner;
    for (Corner corner : {Corner::TopLeft, Corner::TopRight, Corner::BottomLeft, Corner::BottomRight}) {
        const VRDPipLayout layout = VRDPipLayout::compute(1920, 1080, 1280, 720, corner);
        for (const VRDPipLayout::Rect &r : {layout.rear, layout.overlay}) {
            EXPECT_EQ(r.x % 2 + r.y % 2 + r.width % 2 + r.height % 2, 0);
            EXPECT_GE(r.x, 0);
            EXPECT_LE(r.x + r.width, 1920);
            EXPECT_LE(r.y + r.height, 1080 - 1080 / 16);
        }
        const bool apart = layout.rear.x >= layout.overlay.x + layout.overlay.width
            || layout.overlay.x >= layout.rear.x + layout.rear.width || layout.rear.y >= layout.overlay.y + layout.overlay.height;
        EXPECT_TRUE(apart) << static_cast<int>(corner);
        EXPECT_EQ(layout.rear.width, 640);
        EXPECT_EQ(layout.rear.height, 360);
    }
}
