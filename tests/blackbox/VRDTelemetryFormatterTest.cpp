#include "RecordingBuilder.h"

#include "blackbox/VRDBlackBoxData.h"
#include "blackbox/VRDTelemetryFormatter.h"
#include "io/VRDMemoryByteSource.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

std::shared_ptr<const VRDBlackBoxSnapshot> extracted(const std::vector<BlackBoxSample> &samples)
{
    const CameraMp4Writer::Output file = RecordingBuilder::recording(samples);
    VRDMemoryByteSource source(file.bytes);
    VRDBlackBoxData data;
    EXPECT_TRUE(data.ExtractStreamInformation(source));
    return data.snapshot();
}

std::size_t count(const std::string &text, const std::string &part)
{
    std::size_t found = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++found;
    return found;
}

} // namespace

TEST(VRDTelemetryFormatter, JsonPrintsNumbersThatReadBackExactly)
{
    BlackBoxSample first = RecordingBuilder::sample(1, "$GPGGA,1,4807.038,\xc3\xa9,01131.0,W,1,08,0.9,,,,,,*47\n");
    first.gX = 3;
    first.gY = -128;
    first.gZ = 16777217;
    first.latitude = 4807.038;
    first.hdop = std::numeric_limits<double>::quiet_NaN();
    const std::string json = VRDTelemetryFormatter::json("a \"b\"\\c.mp4", true, *extracted({first}));

    EXPECT_NE(json.find("\"path\": \"a \\\"b\\\"\\\\c.mp4\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"frameCount\": 1"), std::string::npos);
    EXPECT_NE(json.find("\"times\": [1]"), std::string::npos);
    EXPECT_NE(json.find("[0.01171875,-0.5,65536]"), std::string::npos) << "float of 16777217 is 2^24";
    EXPECT_NE(json.find("[3,-128,16777217,0]"), std::string::npos);
    EXPECT_NE(json.find("\"Latitude\":4807.0380859375"), std::string::npos) << "parser fix, single precision";
    EXPECT_NE(json.find("\"NS\":\"\\u00c3\""), std::string::npos) << "a raw byte stays valid JSON";
    EXPECT_NE(json.find("\"Latitude\":4807.038,"), std::string::npos) << "record fix, double precision";
    EXPECT_NE(json.find("\"HDOP\":null"), std::string::npos);
    EXPECT_NE(json.find("\"Now\":\"0000-00-00T00:00:00.000\""), std::string::npos);
    EXPECT_EQ(count(json, "\"Latitude\""), 2u);
}

TEST(VRDTelemetryFormatter, GpxHasOneSignedTimedPointPerRecordFixWithAPosition)
{
    BlackBoxSample west = RecordingBuilder::sample(1, "$GPGGA,1,4807.038,N,01131.0,E,1,08,0.9,,,,,,*47\n");
    west.latitude = 4807.5;
    west.longitude = -1131.5;
    west.flags = 0x31;
    west.speed = 30;
    west.hdop = 1.25;
    west.satellites = 9.0;
    BlackBoxSample noFix = RecordingBuilder::sample(2);
    noFix.latitude = 0.0;
    noFix.longitude = 0.0;
    BlackBoxSample bogus = RecordingBuilder::sample(3);
    bogus.latitude = 1e300;
    BlackBoxSample untimed = RecordingBuilder::sample(4);
    const std::string gpx = VRDTelemetryFormatter::gpx(*extracted({west, noFix, bogus, untimed}),
                                                       {"2024-03-15T07:12:00.1Z", "2024-03-15T07:12:00.2Z", "2024-03-15T07:12:00.3Z", ""});

    EXPECT_EQ(count(gpx, "<trkpt "), 1u) << "positions without a fix or without a time are left out: " << gpx;
    EXPECT_NE(gpx.find("<time>2024-03-15T07:12:00.1Z</time>"), std::string::npos) << gpx;
    // 48.125 and -11.525 as TKDegreesFromNmea rounds them, printed exactly.
    EXPECT_NE(gpx.find("<trkpt lat=\"48.12500000000001\" lon=\"-11.524999999999999\">"), std::string::npos) << gpx;
    EXPECT_NE(gpx.find("<sat>9</sat>"), std::string::npos);
    EXPECT_NE(gpx.find("<hdop>1.25</hdop>"), std::string::npos);
    EXPECT_NE(gpx.find("<tovik:speed unit=\"mph\">30</tovik:speed>"), std::string::npos);
    EXPECT_EQ(gpx.find("<name>"), std::string::npos) << "no name unless given";

    const std::string named = VRDTelemetryFormatter::gpx(*extracted({west}), {"2024-03-15T07:12:00.1Z"}, "clip <1> & more");
    EXPECT_NE(named.find("<trk>\n    <name>clip &lt;1&gt; &amp; more</name>\n    <trkseg>"), std::string::npos) << named;
}

TEST(VRDTelemetryFormatter, CsvAndSummaryDescribeEverySample)
{
    BlackBoxSample fast = RecordingBuilder::sample(2, "$GPRMC,1,A,,,,,9.0,,,,*00\n");
    fast.speed = 88;
    const auto samples = extracted({RecordingBuilder::sample(1), fast, RecordingBuilder::sample(3)});

    const std::string csv = VRDTelemetryFormatter::csv(*samples);
    EXPECT_EQ(count(csv, "\n"), 4u);
    EXPECT_EQ(csv.substr(0, csv.find('\n')), "sample,time,x,y,z,rawX,rawY,rawZ,rawT,latitude,longitude,speed,speedUnit,hdop,satellites");
    EXPECT_NE(csv.find("\n1,2,0.078125,-0.0078125,1,20,-2,256,0,37.425"), std::string::npos) << csv;
    EXPECT_NE(csv.find(",88,km/h,0.8,7\n"), std::string::npos) << "the record fix, not the RMC duplicate";

    const std::string summary = VRDTelemetryFormatter::summary(*samples);
    EXPECT_NE(summary.find("frames: 2\nsamples: 3\nGPS entries: 4\n"), std::string::npos) << summary;
    EXPECT_NE(summary.find("first position: 37.408333, 127.037500"), std::string::npos) << summary;
    EXPECT_NE(summary.find("max speed: 88 km/h"), std::string::npos);
    EXPECT_NE(summary.find("max |g|: 1.007 g"), std::string::npos) << summary;

    const std::string empty = VRDTelemetryFormatter::summary(VRDBlackBoxSnapshot());
    EXPECT_NE(empty.find("first position: none"), std::string::npos);
    EXPECT_NE(empty.find("max |g|: none"), std::string::npos);
}
