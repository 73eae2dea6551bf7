// The disk cache of the card index: its format never trusts a damaged or
// foreign entry, and its folder stays within its size limit.
#include "TripsFixtures.h"

#include "trips/VRDTrackCache.h"
#include "trips/VRDTrackCacheFormat.h"

#include <gtest/gtest.h>

#include <TestFolder.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace {

using Bytes = std::vector<std::uint8_t>;

VRDTrackCacheEntry entry(const std::string &path, int seconds)
{
    VRDTrackCacheEntry e{path, 1000u + static_cast<std::uint64_t>(seconds), 1710486720123456789ll,
                         TripsFixtures::drivingTrack(TripsFixtures::kMorningUtc, seconds)};
    e.track.samples.front().deviation = {-300, 5, 32767};
    e.track.samples.back().validFix = false;
    return e;
}

Bytes bytesOf(const std::string &text)
{
    return Bytes(text.begin(), text.end());
}

} // namespace

TEST(VRDTrackCacheFormat, RoundTripsAndLeavesOutOnlyWhatIsDamaged)
{
    std::vector<VRDTrackCacheEntry> entries{entry("/card/a_F.MP4", 2), entry("/card/b_F.MP4", 3), entry("/card/c_F.MP4", 1)};
    VRDTrackCacheEntry unreadable{"/card/d_F.MP4", 7, 8, {}};
    entries.push_back(unreadable);
    const std::string encoded = VRDTrackCacheFormat::encode(entries);
    EXPECT_EQ(VRDTrackCacheFormat::decode(bytesOf(encoded)), entries);

    // One flipped byte inside the second entry loses that entry alone.
    Bytes flipped = bytesOf(encoded);
    const std::size_t secondEntry = encoded.find("/card/b_F.MP4");
    flipped[secondEntry + 40] ^= 0x01;
    const auto survivors = VRDTrackCacheFormat::decode(flipped);
    ASSERT_EQ(survivors.size(), 3u);
    EXPECT_EQ(survivors[0].path, "/card/a_F.MP4");
    EXPECT_EQ(survivors[1].path, "/card/c_F.MP4");

    // A torn file keeps the entries before the tear.
    const Bytes torn(encoded.begin(), encoded.begin() + static_cast<long>(secondEntry) + 10);
    ASSERT_EQ(VRDTrackCacheFormat::decode(torn).size(), 1u);

    // Another format version, another file, a length beyond the end: nothing.
    Bytes otherVersion = bytesOf(encoded);
    otherVersion[8] = static_cast<std::uint8_t>(VRDTrackCacheFormat::kVersion + 1);
    EXPECT_TRUE(VRDTrackCacheFormat::decode(otherVersion).empty());
    EXPECT_TRUE(VRDTrackCacheFormat::decode(bytesOf("not a cache at all")).empty());
    Bytes hugeLength = bytesOf(encoded);
    hugeLength[12] = hugeLength[13] = hugeLength[14] = hugeLength[15] = 0xFF;
    EXPECT_TRUE(VRDTrackCacheFormat::decode(hugeLength).empty());
}

TEST(VRDTrackCache, FindsOnlyCurrentEntriesAndKeepsItsFolderWithinTheLimit)
{
    const TestFolder folder("track_cache");
    const std::string cacheFolder = folder.path("cache/tovik");
    VRDTrackCache first(cacheFolder, "/media/card-one");
    first.load();
    EXPECT_EQ(first.entryCount(), 0u) << "no file yet";
    const VRDTrackCacheEntry a = entry("/media/card-one/a_F.MP4", 2);
    ASSERT_EQ(first.save({a}), std::nullopt);

    VRDTrackCache again(cacheFolder, "/media/card-one");
    again.load();
    const VRDRecordingTrack *found = again.find(a.path, a.size, a.modifiedNanoseconds);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(*found, a.track);
    EXPECT_EQ(again.find(a.path, a.size + 1, a.modifiedNanoseconds), nullptr) << "the file grew";
    EXPECT_EQ(again.find(a.path, a.size, a.modifiedNanoseconds + 1), nullptr) << "the file was written again";
    EXPECT_EQ(again.find("/media/card-one/b_F.MP4", a.size, a.modifiedNanoseconds), nullptr);

    // Another card has a file of its own; over the limit, the least recently
    // written other card's file goes, never the one just written.
    const std::uint64_t oneFile = std::filesystem::file_size(first.filePath());
    const VRDTrackCache second(cacheFolder, "/media/card-two", oneFile * 2 + 10);
    ASSERT_NE(second.filePath(), first.filePath());
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_EQ(second.save({entry("/media/card-two/a_F.MP4", 2)}), std::nullopt);
    EXPECT_TRUE(std::filesystem::exists(first.filePath()));
    const VRDTrackCache third(cacheFolder, "/media/card-three", oneFile * 2 + 10);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_EQ(third.save({entry("/media/card-three/a_F.MP4", 2)}), std::nullopt);
    EXPECT_FALSE(std::filesystem::exists(first.filePath()));
    EXPECT_TRUE(std::filesystem::exists(second.filePath()));
    EXPECT_TRUE(std::filesystem::exists(third.filePath()));

    const VRDTrackCache tiny(cacheFolder, "/media/card-four", 10);
    EXPECT_NE(tiny.save({entry("/media/card-four/a_F.MP4", 2)}), std::nullopt) << "an index larger than the limit is not kept";
    EXPECT_FALSE(std::filesystem::exists(tiny.filePath()));
}

TEST(VRDTrackCache, DefaultFolderFollowsXdgCacheHomeElseHome)
{
    const char *xdg = std::getenv("XDG_CACHE_HOME");
    const std::string savedXdg = xdg ? xdg : "";
    setenv("XDG_CACHE_HOME", "/somewhere/cache", 1);
    EXPECT_EQ(VRDTrackCache::defaultFolder(), "/somewhere/cache/tovik");
    setenv("XDG_CACHE_HOME", "relative/is/ignored", 1);
    const char *home = std::getenv("HOME");
    EXPECT_EQ(VRDTrackCache::defaultFolder(), std::string(home ? home : "") + "/.cache/tovik");
    if (xdg)
        setenv("XDG_CACHE_HOME", savedXdg.c_str(), 1);
    else
        unsetenv("XDG_CACHE_HOME");
}
