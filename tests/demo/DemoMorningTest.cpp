#include "demo/DemoMorning.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(DemoMorning, TwoDrivesAroundAParkedCarWithOneImpactInTheEventRecording)
{
    const DemoMorning morning(10, 1);
    std::vector<std::string> fronts;
    for (const auto &recording : morning.recordings()) {
        if (recording.camera == DemoCardPlan::Camera::Front)
            fronts.push_back(recording.relativePath);
    }
    EXPECT_EQ(fronts, (std::vector<std::string>{
                          "alwa_20240316_073000_F.MP4", "alwa_20240316_073010_F.MP4", "alwa_20240316_073020_F.MP4",
                          "motion_20240316_075000_F.MP4", "motion_20240316_084000_F.MP4", "alwa_20240316_091500_F.MP4",
                          "alwa_20240316_091510_F.MP4", "event_20240316_091520_F.MP4", "alwa_20240316_091530_F.MP4"}));
    ASSERT_EQ(morning.recordings().size(), 2 * fronts.size());

    const BlackBoxSample lastOfFirstDrive = morning.samplesOf(morning.recordings()[4]).back();
    const auto parked = morning.samplesOf(morning.recordings()[6]);
    const BlackBoxSample firstOfSecondDrive = morning.samplesOf(morning.recordings()[10]).front();
    for (const BlackBoxSample &sample : parked) {
        EXPECT_EQ(sample.speed, 0);
        EXPECT_EQ(sample.latitude, lastOfFirstDrive.latitude);
        EXPECT_EQ(sample.longitude, lastOfFirstDrive.longitude);
        EXPECT_LE(std::abs(sample.gX), 1);
    }
    EXPECT_EQ(parked.front().time, DemoMorning::kParkingUtc);
    EXPECT_EQ(parked.front().nmea.substr(0, 14), "$GPRMC,065000.") << "the receiver's UTC time";
    EXPECT_EQ(firstOfSecondDrive.time, DemoMorning::kSecondDriveUtc);
    EXPECT_NEAR(firstOfSecondDrive.latitude, lastOfFirstDrive.latitude, 0.01) << "the car goes on from where it stood";

    for (const auto &recording : morning.recordings()) {
        int strongest = 0;
        for (const BlackBoxSample &sample : morning.samplesOf(recording))
            strongest = std::max(strongest, std::abs(sample.gX));
        EXPECT_EQ(strongest > 256, recording.relativePath.starts_with("event_")) << recording.relativePath;
    }
}
