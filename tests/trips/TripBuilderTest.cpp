// Drives and parking spans from the recordings' tracks: which recordings go
// together, what a drive measures, and which G-sensor moments are events.
#include "TripsFixtures.h"

#include "trips/VRDTripBuilder.h"
#include "trips/VRDTripChannel.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using TripsFixtures::drivingTrack;
using TripsFixtures::moment;

constexpr double kT0 = TripsFixtures::kMorningUtc;

std::vector<std::string> names(const VRDTrip &trip)
{
    std::vector<std::string> out;
    for (const std::string &path : trip.recordings)
        out.push_back(path.substr(path.rfind('/') + 1));
    return out;
}

void bump(VRDRecordingTrack &track, std::size_t sample, std::int16_t rawX)
{
    track.samples[sample].deviation[0] = rawX;
}

} // namespace

TEST(VRDTripBuilder, RecordingsWithinTheGapAreOneDriveAndMotionRecordingsParkApart)
{
    // Drive 1: 60 s, the next starts 119 s after its end (joins), then one
    // 121 s after the end (new drive). Parking: two motion recordings an
    // hour apart with nothing between stay one span; an event file inside
    // the parking span belongs to it; an event file after a drive joins it.
    const std::vector<VRDTripRecording> recordings{
        moment("alwa_20240315_081200_F.MP4", drivingTrack(kT0, 60)),
        moment("alwa_20240315_081459_F.MP4", drivingTrack(kT0 + 179, 60)),
        moment("alwa_20240315_081800_F.MP4", drivingTrack(kT0 + 360, 60)),
        moment("event_20240315_081920_F.MP4", drivingTrack(kT0 + 440, 10)),
        moment("motion_20240315_090000_F.MP4", drivingTrack(kT0 + 2880, 20, 0)),
        moment("evtF_20240315_093000_F.MP4", drivingTrack(kT0 + 4680, 10, 0)),
        moment("motion_20240315_100000_F.MP4", drivingTrack(kT0 + 6480, 20, 0)),
        moment("alwa_20240315_103000_F.MP4", drivingTrack(kT0 + 8280, 30)),
    };
    const std::vector<VRDTrip> trips = VRDTripBuilder(VRDCardProfile{}).build(recordings);
    ASSERT_EQ(trips.size(), 4u);
    EXPECT_EQ(trips[0].kind, VRDTrip::Kind::Drive);
    EXPECT_EQ(names(trips[0]), (std::vector<std::string>{"alwa_20240315_081200_F.MP4", "alwa_20240315_081459_F.MP4"}));
    EXPECT_EQ(names(trips[1]), (std::vector<std::string>{"alwa_20240315_081800_F.MP4", "event_20240315_081920_F.MP4"}));
    EXPECT_EQ(trips[1].blocks[1].kind, VRDTripBlock::Kind::Event);
    EXPECT_EQ(trips[2].kind, VRDTrip::Kind::Parking);
    EXPECT_EQ(trips[2].blocks[0].kind, VRDTripBlock::Kind::Motion);
    EXPECT_EQ(names(trips[2]), (std::vector<std::string>{"motion_20240315_090000_F.MP4", "evtF_20240315_093000_F.MP4",
                                                          "motion_20240315_100000_F.MP4"}));
    EXPECT_EQ(trips[3].kind, VRDTrip::Kind::Drive);
    EXPECT_DOUBLE_EQ(trips[0].startUtc, kT0);
    EXPECT_NEAR(trips[0].endUtc, kT0 + 239, 1e-3);
    EXPECT_DOUBLE_EQ(trips[2].startUtc, kT0 + 2880);
    EXPECT_NEAR(trips[2].durationSeconds(), 6480 + 20 - 2880, 1e-3);

    // A gap of 180 s as the setting joins the first three.
    EXPECT_EQ(VRDTripBuilder(VRDCardProfile{}, 180).build(recordings).front().recordings.size(), 4u);
}

TEST(VRDTripBuilder, DistanceAndSpeedsComeFromPlausibleFixesWithGapsNeverBridged)
{
    VRDRecordingTrack first = drivingTrack(kT0, 60, 36.0);
    VRDRecordingTrack second = drivingTrack(kT0 + 60, 60, 72.0, 600.0);
    // Ten seconds without a fix in the first recording, and a "plausible"
    // fix on the other side of the world in the second.
    for (std::size_t i = 200; i < 300; ++i)
        first.samples[i].validFix = false;
    second.samples[100].latitudeE7 = -337000000;
    const std::vector<VRDTrip> trips = VRDTripBuilder(VRDCardProfile{}).build(
        {moment("alwa_20240315_081200_F.MP4", first), moment("alwa_20240315_081300_F.MP4", second)});
    ASSERT_EQ(trips.size(), 1u);
    const VRDTrip &trip = trips[0];
    // 0 to 19.9 s at 10 m/s; 30 s on across the recordings' seam to the
    // jump at 70 s, then at 20 m/s from 70.1 s to 119.9 s.
    EXPECT_NEAR(trip.distanceMetres, 199.0 + (299.0 + 1.0 + 198.0) + 996.0, 3.0);
    ASSERT_EQ(trip.stretches.size(), 4u) << "the gap and both sides of the jump split the route";
    EXPECT_EQ(trip.stretches[2].size(), 1u);
    EXPECT_DOUBLE_EQ(trip.maxSpeedKmh, 72.0);
    EXPECT_NEAR(trip.durationSeconds(), 120.0, 1e-3);
    EXPECT_NEAR(trip.averageSpeedKmh(), trip.distanceMetres / 120.0 * 3.6, 1e-4);
    // A click near the route finds the moment to play.
    const VRDTripPoint *near = trip.nearestPoint(48.1001, 11.5 + 1000.0 / (111195.0 * std::cos(48.1 * 3.141592653589793 / 180.0)));
    ASSERT_NE(near, nullptr);
    EXPECT_EQ(near->recording, 1u) << "1000 m east: the second recording";
    EXPECT_NEAR(near->offsetSeconds, 20.0, 0.11);
    EXPECT_EQ(VRDTrip{}.nearestPoint(48.1, 11.5), nullptr);
    // Across the date line the nearest point is the one a few metres east,
    // not the one 10 degrees back west.
    VRDTrip pacific;
    pacific.stretches = {{{kT0, 60.0, 170.0, 30.0, 0, 0.0}, {kT0 + 1, 60.0, -179.999, 30.0, 0, 1.0}}};
    EXPECT_EQ(pacific.nearestPoint(60.0, 179.999)->longitude, -179.999);
    // An event's place on the route: the point nearest in time, on either
    // side of a gap in the fixes.
    EXPECT_NEAR(trip.pointNearestInTime(kT0 + 5.03)->utcSeconds, kT0 + 5.0, 1e-4);
    EXPECT_NEAR(trip.pointNearestInTime(kT0 + 21.0)->utcSeconds, kT0 + 19.9, 1e-4) << "in the gap, nearer its start";
    EXPECT_NEAR(trip.pointNearestInTime(kT0 + 29.5)->utcSeconds, kT0 + 30.0, 1e-4) << "in the gap, nearer its end";
    EXPECT_NEAR(trip.pointNearestInTime(kT0 - 50)->utcSeconds, kT0, 1e-4);
    EXPECT_NEAR(trip.pointNearestInTime(kT0 + 500)->utcSeconds, kT0 + 119.9, 1e-3);
    EXPECT_EQ(VRDTrip{}.pointNearestInTime(kT0), nullptr);
    EXPECT_DOUBLE_EQ(trip.stretches[0].front().utcSeconds, kT0);
    EXPECT_NEAR(trip.stretches[0].back().utcSeconds, kT0 + 19.9, 1e-4);

    // An event file written while the continuous recording goes on adds
    // nothing to the route.
    const auto overlapped = VRDTripBuilder(VRDCardProfile{}).build(
        {moment("alwa_20240315_081200_F.MP4", first), moment("event_20240315_081230_F.MP4", drivingTrack(kT0 + 30, 10, 36.0, 300.0)),
         moment("alwa_20240315_081300_F.MP4", second)});
    ASSERT_EQ(overlapped.size(), 1u);
    EXPECT_DOUBLE_EQ(overlapped[0].distanceMetres, trip.distanceMetres);
    EXPECT_EQ(overlapped[0].recordings.size(), 3u);

    // A recording without data still sits in its drive.
    VRDRecordingTrack empty;
    empty.readable = true;
    VRDCardProfile utc;
    utc.clock = VRDCardClock::fixedOffset(0);
    const auto withEmpty = VRDTripBuilder(utc).build({moment("alwa_20240315_071200_F.MP4", drivingTrack(kT0, 60)),
                                                      moment("alwa_20240315_071300_F.MP4", empty)});
    ASSERT_EQ(withEmpty.size(), 1u);
    EXPECT_EQ(withEmpty[0].recordings.size(), 2u);
    ASSERT_EQ(withEmpty[0].blocks.size(), 2u);
    EXPECT_TRUE(withEmpty[0].blocks[0].hasRoute);
    EXPECT_FALSE(withEmpty[0].blocks[1].hasRoute);
    EXPECT_DOUBLE_EQ(withEmpty[0].blocks[1].startUtc, kT0 + 60);
    EXPECT_DOUBLE_EQ(withEmpty[0].blocks[1].endUtc, kT0 + 60);
}

TEST(VRDTripBuilder, ExcursionsAndEventFilesBecomeEventsWithTheCardsThresholds)
{
    VRDRecordingTrack driving = drivingTrack(kT0, 60);
    bump(driving, 100, 140);  // 0.55 g at 10.0 s
    bump(driving, 130, -150); // 3 s later: the same event, peak 0.59 g
    bump(driving, 300, 120);  // 0.47 g: below 0.5 g
    bump(driving, 550, 200);  // 55.0 s, inside the event file's time below
    VRDRecordingTrack eventFile = drivingTrack(kT0 + 50, 10);
    bump(eventFile, 30, 400); // the event file's own impact, 1.56 g at 53 s
    VRDRecordingTrack quietEvent = drivingTrack(kT0 + 70, 10);
    VRDRecordingTrack parked = drivingTrack(kT0 + 3600, 20, 0);
    bump(parked, 50, 30); // 0.12 g: over a parking threshold of 0.1 g

    VRDCardProfile profile;
    profile.parkingThresholdG = {0.1, 0.1, 0.1};
    const std::vector<VRDTrip> trips = VRDTripBuilder(profile).build({
        moment("alwa_20240315_081200_F.MP4", driving),
        moment("event_20240315_081250_F.MP4", eventFile),
        moment("evtA_20240315_081310_F.MP4", quietEvent),
        moment("motion_20240315_091200_F.MP4", parked),
    });
    ASSERT_EQ(trips.size(), 2u);
    const std::vector<VRDTripEvent> &events = trips[0].events;
    ASSERT_EQ(events.size(), 3u);
    EXPECT_DOUBLE_EQ(events[0].utcSeconds, kT0 + 10);
    EXPECT_DOUBLE_EQ(events[0].offsetSeconds, 10);
    EXPECT_NEAR(*events[0].peakG, 150 / 256.0, 1e-9);
    EXPECT_FALSE(events[0].eventFile);
    EXPECT_EQ(events[1].file, "/card/event_20240315_081250_F.MP4");
    EXPECT_TRUE(events[1].eventFile);
    EXPECT_NEAR(events[1].utcSeconds, kT0 + 53, 1e-4);
    EXPECT_NEAR(events[1].offsetSeconds, 3, 1e-4);
    EXPECT_NEAR(*events[1].peakG, 400 / 256.0, 1e-9) << "the always file's excursion at 55 s is this event";
    EXPECT_EQ(events[2].file, "/card/evtA_20240315_081310_F.MP4") << "an event file is an event without excursion";
    EXPECT_DOUBLE_EQ(events[2].offsetSeconds, 0);
    EXPECT_DOUBLE_EQ(*events[2].peakG, 0);

    ASSERT_EQ(trips[1].events.size(), 1u) << "parking thresholds in parking spans";
    EXPECT_NEAR(*trips[1].events[0].peakG, 30 / 256.0, 1e-9);
    VRDCardProfile driving05;
    EXPECT_TRUE(VRDTripBuilder(driving05).build({moment("motion_20240315_091200_F.MP4", parked)})[0].events.empty());
}

TEST(VRDTripChannel, FrontWhereItExistsElseRear)
{
    VRDMediaCatalog catalog("/card", true);
    for (const char *name : {"alwa_20240315_081200_F.MP4", "alwa_20240315_081200_R.MP4", "alwa_20240315_081300_R.MP4",
                             "event_20240315_081400_F.MP4"})
        catalog.addMedia(VRDMedia::mediaWithPath(std::string("/card/") + name));
    std::vector<std::string> chosen;
    for (const auto &media : VRDTripChannel::recordingsOf(catalog))
        chosen.push_back(std::string(media->mediaName()));
    EXPECT_EQ(chosen, (std::vector<std::string>{"alwa_20240315_081200_F", "alwa_20240315_081300_R", "event_20240315_081400_F"}));
}
