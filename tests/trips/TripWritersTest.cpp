// The drives as JSON, GPX and a table: UTC times, numbers as numbers, one
// track segment per stretch, text that stays valid whatever a name holds.
#include "TripsFixtures.h"

#include "trips/VRDJsonText.h"
#include "trips/VRDTripGpxWriter.h"
#include "trips/VRDTripsJsonWriter.h"
#include "trips/VRDTripsTextWriter.h"
#include "trips/VRDUtcText.h"

#include <gtest/gtest.h>

namespace {

constexpr double kT0 = TripsFixtures::kMorningUtc;

std::size_t count(const std::string &text, const std::string &part)
{
    std::size_t found = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++found;
    return found;
}

std::vector<VRDTrip> sampleTrips()
{
    VRDTrip drive;
    drive.startUtc = kT0;
    drive.endUtc = kT0 + 125.0;
    drive.distanceMetres = 1480.54;
    drive.maxSpeedKmh = 52.0;
    drive.recordings = {"/card/alwa_20240315_081200_F.MP4", "/card/alwa_20240315_081300_F.MP4"};
    drive.events = {{kT0 + 3.4, "/card/alwa_20240315_081200_F.MP4", 3.4, 1.1234, false},
                    {kT0 + 70, "/card/event_20240315_081310_F.MP4", 0, std::nullopt, true}};
    drive.stretches = {{{kT0, 48.1, 11.5, 30}, {kT0 + 0.25, 48.1001, 11.5, 31}}, {{kT0 + 60, 48.2, 11.6, 40}}};
    VRDTrip parking;
    parking.kind = VRDTrip::Kind::Parking;
    parking.startUtc = kT0 + 3600;
    parking.endUtc = kT0 + 3610;
    parking.recordings = {"/card/motion_20240315_091200_F.MP4"};
    return {drive, parking};
}

} // namespace

TEST(VRDTripWriters, JsonHasTheDrivesAndParkingWithUtcTimesAndNumbers)
{
    const std::string json = VRDTripsJsonWriter::write("/card", sampleTrips());
    EXPECT_NE(json.find("\"directory\": \"/card\""), std::string::npos);
    EXPECT_NE(json.find("{\"start\":\"2024-03-15T07:12:00Z\",\"end\":\"2024-03-15T07:14:05Z\",\"durationSeconds\":125,"
                        "\"distanceMeters\":1480.5,\"maxSpeedKmh\":52,\"averageSpeedKmh\":42.6,\"events\":["
                        "{\"time\":\"2024-03-15T07:12:03.4Z\",\"file\":\"/card/alwa_20240315_081200_F.MP4\","
                        "\"offsetSeconds\":3.4,\"peakG\":1.123},"
                        "{\"time\":\"2024-03-15T07:13:10Z\",\"file\":\"/card/event_20240315_081310_F.MP4\","
                        "\"offsetSeconds\":0,\"peakG\":null}],"
                        "\"recordings\":[\"/card/alwa_20240315_081200_F.MP4\",\"/card/alwa_20240315_081300_F.MP4\"]}"),
              std::string::npos)
        << json;
    EXPECT_NE(json.find("\"parking\": [\n    {\"start\":\"2024-03-15T08:12:00Z\",\"end\":\"2024-03-15T08:12:10Z\","
                        "\"durationSeconds\":10,\"events\":[],\"recordings\":[\"/card/motion_20240315_091200_F.MP4\"]}"),
              std::string::npos)
        << json;
    EXPECT_EQ(VRDTripsJsonWriter::write("/empty", {}), "{\n  \"directory\": \"/empty\",\n  \"trips\": [],\n  \"parking\": []\n}\n");
}

TEST(VRDTripWriters, TextAndNumbersStayValidWhateverTheyHold)
{
    EXPECT_EQ(VRDJsonText::string("a\"b\\c\n\x01"), "\"a\\\"b\\\\c\\u000a\\u0001\"");
    EXPECT_EQ(VRDJsonText::string("M\xC3\xBCnchen"), "\"M\xC3\xBCnchen\"");
    EXPECT_EQ(VRDJsonText::string("bad\xFF\xC3"), "\"bad\xEF\xBF\xBD\xEF\xBF\xBD\"") << "not UTF-8";
    EXPECT_EQ(VRDJsonText::number(std::nan(""), 1), "null");
    EXPECT_EQ(VRDJsonText::number(-0.04, 1), "0");
    EXPECT_EQ(VRDJsonText::number(42.649, 1), "42.6");
    EXPECT_EQ(VRDUtcText::iso(kT0 + 0.5), "2024-03-15T07:12:00.5Z");
    EXPECT_EQ(VRDUtcText::iso(kT0 + 59.9996), "2024-03-15T07:13:00Z") << "rounded to the millisecond";
    EXPECT_EQ(VRDUtcText::compact(kT0 + 59.9), "20240315-071259");
}

TEST(VRDTripWriters, GpxHasOneSegmentPerStretchAndATimeOnEveryPoint)
{
    const VRDTrip drive = sampleTrips().front();
    EXPECT_EQ(VRDTripGpxWriter::fileName(drive), "trip-20240315-071200.gpx");
    const std::string gpx = VRDTripGpxWriter::write(drive);
    EXPECT_EQ(count(gpx, "<trkseg>"), 2u);
    EXPECT_EQ(count(gpx, "<trkpt "), 3u);
    EXPECT_EQ(count(gpx, "\"><time>"), 3u) << "every point has a time";
    EXPECT_NE(gpx.find("<trkpt lat=\"48.1001\" lon=\"11.5\"><time>2024-03-15T07:12:00.25Z</time>"), std::string::npos) << gpx;

    const std::string table = VRDTripsTextWriter::write("/card", sampleTrips());
    EXPECT_NE(table.find("drive    2024-03-15 07:12:00   0:02:05      1.48    52.0    42.6       2           2"),
              std::string::npos)
        << table;
    EXPECT_NE(table.find("parking  2024-03-15 08:12:00   0:00:10"), std::string::npos) << table;
}
