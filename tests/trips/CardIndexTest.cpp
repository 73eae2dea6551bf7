// The whole-card index: every recording read once on the pool, results
// delivered as they come, taken from the cache the next time, rebuilt when
// the cache or the file changed, stoppable.
#include "TripsFixtures.h"

#include "trips/VRDCardIndex.h"
#include "trips/VRDCardTrips.h"
#include "trips/VRDRecordingTrackReader.h"

#include <gtest/gtest.h>

#include <TestFolder.h>

#include <fstream>
#include <mutex>
#include <set>
#include <thread>

namespace {

// `count` one-second front recordings from 08:12:00 local on, with twins.
std::vector<std::string> writeCard(const TestFolder &folder, int count)
{
    std::vector<std::string> fronts;
    for (int i = 0; i < count; ++i) {
        std::vector<BlackBoxSample> samples;
        for (std::uint32_t k = 0; k < 10; ++k)
            samples.push_back(TripsFixtures::sample(static_cast<std::uint32_t>(i), 48.1, 11.5 + i * 1e-4));
        samples[0].nmea = TripsFixtures::rmc(TripsFixtures::kMorningUtc + i);
        char name[64];
        std::snprintf(name, sizeof name, "alwa_20240315_0812%02d", i);
        const std::vector<std::uint8_t> bytes = TripsFixtures::recording(samples);
        fronts.push_back(folder.path(std::string(name) + "_F.MP4"));
        TripsFixtures::writeFile(fronts.back(), bytes);
        TripsFixtures::writeFile(folder.path(std::string(name) + "_R.MP4"), bytes);
    }
    return fronts;
}

} // namespace

TEST(VRDCardIndex, ReadsEveryRecordingOnThePoolAndDeliversEachOnce)
{
    const TestFolder folder("index_pool");
    const std::vector<std::string> paths = writeCard(folder, 12);
    std::multiset<std::size_t> delivered;
    const VRDCardIndex index(nullptr, 3);
    EXPECT_EQ(index.threadCount(), 3u);
    const VRDCardIndex::Result result
        = index.run(paths, [&](std::size_t i, const VRDRecordingTrack &track) {
              EXPECT_EQ(track.samples.size(), 10u);
              delivered.insert(i);
          });
    EXPECT_EQ(delivered.size(), paths.size());
    EXPECT_EQ(std::set<std::size_t>(delivered.begin(), delivered.end()).size(), paths.size());
    EXPECT_EQ(result.extracted, paths.size());
    EXPECT_FALSE(result.stopped);
    for (std::size_t i = 0; i < paths.size(); ++i)
        EXPECT_EQ(result.tracks[i], VRDRecordingTrackReader::read(paths[i])) << i;
    EXPECT_GE(VRDCardIndex(nullptr).threadCount(), 1u);

    std::stop_source stop;
    stop.request_stop();
    const VRDCardIndex::Result stopped = index.run(paths, {}, stop.get_token());
    EXPECT_TRUE(stopped.stopped);
    EXPECT_EQ(stopped.extracted, 0u);
    EXPECT_TRUE(stopped.cacheEntries.empty());
}

TEST(VRDCardTrips, SecondReadComesFromTheCacheUnlessTheCacheOrAFileChanged)
{
    const TestFolder folder("index_cache");
    const std::vector<std::string> paths = writeCard(folder, 6);
    VRDCardTrips::Options options;
    options.cacheFolder = folder.path("cache");

    const VRDCardTrips::Result cold = VRDCardTrips::read(folder.path(), options);
    EXPECT_EQ(cold.extracted, 6u) << "one channel per moment: the fronts";
    EXPECT_EQ(cold.fromCache, 0u);
    EXPECT_EQ(cold.cacheError, std::nullopt);
    ASSERT_EQ(cold.trips.size(), 1u);
    EXPECT_EQ(cold.trips[0].recordings, paths);

    const VRDCardTrips::Result warm = VRDCardTrips::read(folder.path(), options);
    EXPECT_EQ(warm.fromCache, 6u);
    EXPECT_EQ(warm.extracted, 0u);
    ASSERT_EQ(warm.recordings.size(), cold.recordings.size());
    for (std::size_t i = 0; i < warm.recordings.size(); ++i)
        EXPECT_EQ(warm.recordings[i].track, cold.recordings[i].track);
    EXPECT_EQ(warm.trips[0].distanceMetres, cold.trips[0].distanceMetres);

    // A recording written again is read again; so is everything after the
    // cache file was damaged.
    std::ofstream(paths[2], std::ios::binary | std::ios::app) << "more";
    const VRDCardTrips::Result changed = VRDCardTrips::read(folder.path(), options);
    EXPECT_EQ(changed.extracted, 1u);
    EXPECT_EQ(changed.fromCache, 5u);
    for (const auto &item : std::filesystem::directory_iterator(options.cacheFolder)) {
        std::fstream file(item.path(), std::ios::binary | std::ios::in | std::ios::out);
        file.seekp(60);
        file.put('\x7F');
    }
    const VRDCardTrips::Result rebuilt = VRDCardTrips::read(folder.path(), options);
    EXPECT_EQ(rebuilt.extracted, 1u) << "only the damaged entry is read again";
    EXPECT_EQ(rebuilt.fromCache, 5u);
    EXPECT_EQ(rebuilt.trips[0].distanceMetres, cold.trips[0].distanceMetres);

    options.cacheFolder.clear();
    EXPECT_EQ(VRDCardTrips::read(folder.path(), options).extracted, 6u) << "no cache folder: no cache";
}

TEST(VRDCardTrips, DrivesOfTheRecordingsReadSoFarArriveWhileTheCardIsRead)
{
    const TestFolder folder("index_partial");
    writeCard(folder, 30);
    VRDCardTrips::Options options;
    options.cacheFolder.clear();
    options.threads = 2;
    options.partialInterval = std::chrono::milliseconds(5);
    std::mutex lock;
    std::vector<VRDPartialTrips::Snapshot> snapshots;
    options.partial = [&](VRDPartialTrips::Snapshot snapshot) {
        const std::lock_guard guard(lock);
        snapshots.push_back(std::move(snapshot));
    };
    // A slow card: each recording takes a while, so groupings come between.
    const auto slowly = [](std::size_t, const VRDRecordingTrack &) { std::this_thread::sleep_for(std::chrono::milliseconds(3)); };
    const VRDCardTrips::Result result = VRDCardTrips::read(folder.path(), options, slowly);
    const std::size_t afterwards = snapshots.size();
    ASSERT_GE(afterwards, 2u);
    ASSERT_EQ(result.trips.size(), 1u);
    std::size_t previous = 0;
    for (const VRDPartialTrips::Snapshot &snapshot : snapshots) {
        EXPECT_EQ(snapshot.recordingsTotal, 30u);
        EXPECT_GT(snapshot.recordingsRead, previous) << "each grouping holds more than the one before";
        EXPECT_LE(snapshot.recordingsRead, 30u);
        previous = snapshot.recordingsRead;
        ASSERT_NE(snapshot.trips, nullptr);
        std::size_t recordings = 0;
        for (const VRDTrip &trip : *snapshot.trips) {
            recordings += trip.recordings.size();
            EXPECT_TRUE(std::is_sorted(trip.recordings.begin(), trip.recordings.end())) << "in time order";
        }
        EXPECT_EQ(recordings, snapshot.recordingsRead) << "every recording read is in a drive, once";
    }
    EXPECT_EQ(result.trips[0].recordings.size(), 30u);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(snapshots.size(), afterwards) << "no grouping after the read returned";

    // A stopped read hands on nothing more once it returns.
    std::stop_source stop;
    snapshots.clear();
    const auto stopSoon = [&](std::size_t, const VRDRecordingTrack &) {
        std::this_thread::sleep_for(std::chrono::milliseconds(3));
        stop.request_stop();
    };
    const VRDCardTrips::Result stopped = VRDCardTrips::read(folder.path(), options, stopSoon, stop.get_token());
    EXPECT_TRUE(stopped.stopped);
    EXPECT_TRUE(stopped.trips.empty());
    EXPECT_TRUE(stopped.recordings.empty());
    const std::size_t atStop = snapshots.size();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(snapshots.size(), atStop);
}
