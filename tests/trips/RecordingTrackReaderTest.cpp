// From a recording's bytes to the track the trips use: plausible fixes only,
// speeds in km/h, G-sensor deviations from the resting value.
#include "TripsFixtures.h"

#include "blackbox/VRDBlackBoxData.h"
#include "io/VRDMemoryByteSource.h"
#include "trips/VRDFixPlausibility.h"
#include "trips/VRDRecordingTrackReader.h"

#include <gtest/gtest.h>

namespace {

VRDRecordingTrack read(const std::vector<BlackBoxSample> &samples)
{
    const std::vector<std::uint8_t> bytes = TripsFixtures::recording(samples);
    VRDMemoryByteSource source(bytes);
    return VRDRecordingTrackReader::read(source);
}

VRDGpsData fixAt(double latitude, double longitude, double hdop = 0.9, std::uint32_t satellites = 8)
{
    VRDGpsData fix;
    fix.Latitude = latitude;
    fix.Longitude = longitude;
    fix.HDOP = hdop;
    fix.SatelliteUsedCount = satellites;
    return fix;
}

} // namespace

TEST(VRDFixPlausibility, OnlyFixesInRangeWithGoodPrecisionAndEnoughSatellitesCount)
{
    const VRDGpsData northEast;
    struct Case {
        const char *what;
        VRDGpsData fix;
        std::optional<bool> rmcActive;
        bool plausible;
    };
    const Case cases[] = {
        {"good", fixAt(4806.0, 1130.0), std::nullopt, true},
        {"RMC status A", fixAt(4806.0, 1130.0), true, true},
        {"RMC status V", fixAt(4806.0, 1130.0), false, false},
        {"0/0", fixAt(0.0, 0.0), std::nullopt, false},
        {"HDOP 0", fixAt(4806.0, 1130.0, 0.0), std::nullopt, false},
        {"HDOP 5", fixAt(4806.0, 1130.0, 5.0), std::nullopt, true},
        {"HDOP 5.1", fixAt(4806.0, 1130.0, 5.1), std::nullopt, false},
        {"3 satellites", fixAt(4806.0, 1130.0, 0.9, 3), std::nullopt, false},
        {"4 satellites", fixAt(4806.0, 1130.0, 0.9, 4), std::nullopt, true},
        {"60 minutes", fixAt(4860.0, 1130.0), std::nullopt, false},
        {"latitude 91", fixAt(9100.0, 1130.0), std::nullopt, false},
        {"longitude 181", fixAt(4806.0, 18100.0), std::nullopt, false},
        {"not a number", fixAt(std::nan(""), 1130.0), std::nullopt, false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(VRDFixPlausibility::check(c.fix, northEast, c.rmcActive).has_value(), c.plausible) << c.what;

    VRDGpsData southWest;
    southWest.NS = 'S';
    southWest.EW = 'W';
    const auto position = VRDFixPlausibility::check(fixAt(3352.2, 15112.5), southWest, std::nullopt);
    ASSERT_TRUE(position);
    EXPECT_NEAR(position->latitude, -33.87, 1e-9);
    EXPECT_NEAR(position->longitude, -151.208333333, 1e-6);
}

TEST(VRDRecordingTrackReader, KeepsPlausibleFixesSpeedsInKmhAndDeviationsFromRest)
{
    std::vector<BlackBoxSample> samples;
    for (std::uint32_t i = 0; i < 20; ++i)
        samples.push_back(TripsFixtures::sample(1000 + i / 10));
    // Southern hemisphere from the receiver's GGA sentence; a void RMC; no
    // satellites; a bump of 1 g on X; miles per hour.
    samples[0].nmea = "$GPGGA,071200,3352.200,S,15112.500,W,1,08,0.9,,,,,,*47\r\n";
    samples[1].nmea = TripsFixtures::rmc(TripsFixtures::kMorningUtc);
    samples[0].latitude = 3352.2;
    samples[0].longitude = 15112.5;
    samples[3].nmea = TripsFixtures::rmc(TripsFixtures::kMorningUtc, false);
    samples[5].satellites = 2;
    samples[7].gX = 256;
    samples[9].flags = 0x31;
    samples[9].speed = 50;

    const VRDRecordingTrack track = read(samples);
    ASSERT_TRUE(track.readable);
    ASSERT_EQ(track.samples.size(), 20u);
    ASSERT_TRUE(track.rmcBaseUtc);
    EXPECT_DOUBLE_EQ(*track.rmcBaseUtc, TripsFixtures::kMorningUtc);
    EXPECT_FLOAT_EQ(track.samples[10].offsetSeconds, 1.0f);

    EXPECT_TRUE(track.samples[0].validFix);
    EXPECT_NEAR(track.samples[0].latitude(), -33.87, 1e-6) << "hemispheres from the GGA sentence";
    EXPECT_NEAR(track.samples[0].longitude(), -151.2083333, 1e-6);
    EXPECT_FALSE(track.samples[3].validFix) << "RMC status V";
    EXPECT_FALSE(track.samples[5].validFix) << "too few satellites";
    EXPECT_TRUE(track.samples[4].validFix);
    EXPECT_NEAR(track.samples[4].latitude(), -48.1, 1e-6) << "the last GGA's hemisphere carries on";

    EXPECT_EQ(track.samples[1].speedKmh(), 36.0);
    EXPECT_NEAR(track.samples[9].speedKmh(), 80.47, 0.01) << "50 mph";
    // Gravity on Z is the resting value and drops out.
    EXPECT_EQ(track.samples[1].deviation, (std::array<std::int16_t, 3>{0, 0, 0}));
    EXPECT_EQ(track.samples[7].deviation, (std::array<std::int16_t, 3>{256, 0, 0}));
}

TEST(VRDRecordingTrackReader, UnreadableOrEmptyRecordingsGiveNoSamples)
{
    EXPECT_FALSE(VRDRecordingTrackReader::read("/nonexistent/alwa_20240315_081200_F.MP4").readable);
    std::vector<std::uint8_t> garbage(500, 0x5A);
    VRDMemoryByteSource source(garbage);
    EXPECT_FALSE(VRDRecordingTrackReader::read(source).readable);
    const VRDRecordingTrack empty = read({});
    EXPECT_TRUE(empty.readable);
    EXPECT_TRUE(empty.samples.empty());
    EXPECT_FALSE(empty.rmcBaseUtc);
}

TEST(VRDRecordingTrackReader, TheViewersSnapshotReducesAlikeAndOneOutOfStepIsRefused)
{
    std::vector<BlackBoxSample> samples;
    for (std::uint32_t i = 0; i < 12; ++i)
        samples.push_back(TripsFixtures::sample(1000 + i / 10));
    samples[1].nmea = TripsFixtures::rmc(TripsFixtures::kMorningUtc);
    samples[4].satellites = 2;
    const std::vector<std::uint8_t> bytes = TripsFixtures::recording(samples);
    VRDMemoryByteSource source(bytes);
    VRDBlackBoxData data;
    ASSERT_TRUE(data.ExtractStreamInformation(source));
    const auto snapshot = data.snapshot();
    const VRDRecordingTrack track = VRDRecordingTrackReader::fromSnapshot(*snapshot);
    EXPECT_EQ(track, read(samples));
    EXPECT_FALSE(track.samples[4].validFix);

    VRDBlackBoxSnapshot outOfStep = *snapshot;
    outOfStep.vGSensorData.pop_back();
    EXPECT_FALSE(VRDRecordingTrackReader::fromSnapshot(outOfStep).readable);
    outOfStep = *snapshot;
    outOfStep.RecordFixIndexes[3] = outOfStep.NMEAs.size();
    EXPECT_FALSE(VRDRecordingTrackReader::fromSnapshot(outOfStep).readable);
}
