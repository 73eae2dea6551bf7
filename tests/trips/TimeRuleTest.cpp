// When a sample was taken: RMC sentences first, else the file name's time in
// the card's zone; samples sharing a second spread evenly over it.
#include "TripsFixtures.h"

#include "config/VRDFileData.h"
#include "trips/VRDCardProfile.h"
#include "trips/VRDRmcReading.h"
#include "trips/VRDSampleTimeline.h"
#include "trips/VRDTripBuilder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace {

std::vector<std::uint32_t> secondsOf(std::initializer_list<std::uint32_t> values)
{
    return values;
}

} // namespace

TEST(VRDSampleTimeline, SamplesSharingASecondSpreadEvenlyAndPartialEdgesKeepTheirSpacing)
{
    // Two samples of second 100 (the recording began mid-second), four each
    // of 101 and 102, one of 103.
    const auto result = VRDSampleTimeline::build(secondsOf({100, 100, 101, 101, 101, 101, 102, 102, 102, 102, 103}), {});
    EXPECT_FALSE(result.rmcBaseUtc);
    const std::vector<double> expected{0.5, 0.75, 1.0, 1.25, 1.5, 1.75, 2.0, 2.25, 2.5, 2.75, 3.0};
    ASSERT_EQ(result.offsetSeconds.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_DOUBLE_EQ(result.offsetSeconds[i], expected[i]) << i;

    // Time values that run backwards are no seconds: ten samples a second.
    const auto counted = VRDSampleTimeline::build(secondsOf({9, 3, 7, 1, 1, 1, 1, 1, 1, 1, 1, 1}), {});
    EXPECT_DOUBLE_EQ(counted.offsetSeconds[1], 0.1);
    EXPECT_DOUBLE_EQ(counted.offsetSeconds[10], 1.0);
    EXPECT_DOUBLE_EQ(counted.offsetSeconds[11], 1.1) << "a short last second keeps the others' spacing";
}

TEST(VRDSampleTimeline, RmcSentencesSetTheBaseAndPlaceTheSamplesAroundThem)
{
    const double rmc = TripsFixtures::kMorningUtc + 0.0;
    // The receiver's first RMC comes with the third sample (second 501).
    std::vector<std::optional<double>> rmcTimes(6);
    rmcTimes[2] = rmc;
    rmcTimes[4] = rmc + 1.0;
    const auto result = VRDSampleTimeline::build(secondsOf({500, 500, 501, 501, 502, 502}), rmcTimes);
    ASSERT_TRUE(result.rmcBaseUtc);
    EXPECT_DOUBLE_EQ(*result.rmcBaseUtc, rmc - 1.0) << "the samples before the first RMC count back from it";
    EXPECT_DOUBLE_EQ(result.offsetSeconds[0], 0.0);
    EXPECT_DOUBLE_EQ(result.offsetSeconds[3], 1.5);
    EXPECT_DOUBLE_EQ(result.offsetSeconds[5], 2.5);

    // A receiver clock that steps back never reorders the samples.
    std::vector<std::optional<double>> stepBack(4);
    stepBack[0] = rmc;
    stepBack[2] = rmc - 30.0;
    const auto ordered = VRDSampleTimeline::build(secondsOf({1, 2, 3, 4}), stepBack);
    for (std::size_t i = 1; i < ordered.offsetSeconds.size(); ++i)
        EXPECT_GE(ordered.offsetSeconds[i], ordered.offsetSeconds[i - 1]);
}

TEST(VRDRmcReading, FindsTheRmcSentenceItsStatusAndAPossibleTime)
{
    const std::string text = "$GPGGA,071200,4806.000,N,01130.000,E,1,08,0.9,,,,,,*47\r\n" + TripsFixtures::rmc(TripsFixtures::kMorningUtc);
    const auto reading = VRDRmcReading::find(text);
    ASSERT_TRUE(reading);
    EXPECT_TRUE(reading->statusActive);
    ASSERT_TRUE(reading->utcSeconds);
    EXPECT_DOUBLE_EQ(*reading->utcSeconds, TripsFixtures::kMorningUtc);

    const auto voidFix = VRDRmcReading::find(TripsFixtures::rmc(TripsFixtures::kMorningUtc, false));
    ASSERT_TRUE(voidFix);
    EXPECT_FALSE(voidFix->statusActive);
    EXPECT_FALSE(VRDRmcReading::find("$GPGGA,1,2*00\r\n"));
    // 31 February and a time field of the wrong length give no time.
    const auto impossible = VRDRmcReading::find(std::string("$GNRMC,071200.000,A,,,,,0,0,310224,,*00") + '\0');
    ASSERT_TRUE(impossible);
    EXPECT_FALSE(impossible->utcSeconds);
    EXPECT_FALSE(VRDRmcReading::find("$GPRMC,0712,A,,,,,0,0,150324,,*00")->utcSeconds);
}

TEST(VRDCardProfile, ThresholdsZoneAndUnitComeFromConfigBin)
{
    FILEDATA record{};
    VRDDefaultFileData(record);
    record.gsen_x_threshold = 45;
    record.gsen_y_threshold = 0;
    record.parkmode_z_threshold = 12;
    record.time_gmt = 22; // "+05:30"
    record.summer_time = 0;
    record.speed_disp_unit = 1;
    const VRDCardProfile india = VRDCardProfile::fromRecord(record);
    EXPECT_EQ(india.drivingThresholdG, (std::array<double, 3>{0.45, 0.5, 0.5})) << "0 means no threshold: the default";
    EXPECT_DOUBLE_EQ(india.parkingThresholdG[2], 0.12);
    EXPECT_TRUE(india.milesPerHour);
    EXPECT_EQ(india.clock.offsetSeconds(), 5 * 3600 + 30 * 60);

    record.time_gmt = 15; // "+01:00" with summer time: two hours
    record.summer_time = 1;
    EXPECT_EQ(VRDCardProfile::fromRecord(record).clock.offsetSeconds(), 7200);
    record.time_gmt = -1;
    EXPECT_FALSE(VRDCardProfile::fromRecord(record).clock.offsetSeconds()) << "no zone: the computer's";
    EXPECT_FALSE(VRDCardProfile::forFolder("/nonexistent").fromConfig);
}

TEST(VRDTripBuilder, FileNameTimeTurnsIntoUtcWithTheCardsOrTheComputersZone)
{
    VRDRecordingTrack noRmc;
    noRmc.readable = true;
    const VRDTripRecording recording = TripsFixtures::moment("alwa_20240715_081200_F.MP4", noRmc);

    VRDCardProfile card;
    card.clock = VRDCardClock::fixedOffset(3 * 3600);
    EXPECT_EQ(VRDTripBuilder(card).baseUtc(recording), 1721020320.0) << "08:12 at UTC+3 is 05:12 UTC";

    // Without config.bin the computer's zone decides, summer time included.
    const char *saved = std::getenv("TZ");
    const std::string previous = saved ? saved : "";
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
    const std::optional<double> berlin = VRDTripBuilder(VRDCardProfile{}).baseUtc(recording);
    const std::optional<double> winter
        = VRDTripBuilder(VRDCardProfile{}).baseUtc(TripsFixtures::moment("alwa_20240115_081200_F.MP4", noRmc));
    if (saved)
        setenv("TZ", previous.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
    EXPECT_EQ(berlin, 1721023920.0) << "08:12 in Berlin in July is 06:12 UTC";
    EXPECT_EQ(winter, 1705302720.0) << "08:12 in Berlin in January is 07:12 UTC";

    // An RMC base wins over the name; a name without a time places nothing.
    VRDRecordingTrack withRmc = noRmc;
    withRmc.rmcBaseUtc = 1000.0;
    EXPECT_EQ(VRDTripBuilder(card).baseUtc(TripsFixtures::moment("alwa_20240715_081200_F.MP4", withRmc)), 1000.0);
    EXPECT_FALSE(VRDTripBuilder(card).baseUtc(TripsFixtures::moment("ALWA_20240715_081200_F.MP4", noRmc)));
}
