#include "DisksVolumeFixtures.h"

#include "disk/TKVolumeChanges.h"

#include <gtest/gtest.h>

#include <set>

namespace {

struct FakeEntries {
    std::set<std::string> paths;
    bool operator()(const std::string &path) const { return paths.count(path) != 0; }
};

} // namespace

TEST(TKVolumeChangesTest, OffersOnlyCardsMountedAfterTheFirstListingThatLookLikeTheCamerasOwn)
{
    FakeEntries entries{{"/media/user/sdd1/config.bin"}};
    TKVolumeChanges changes(entries);
    const TKVolumeDescription early = DisksVolumeFixture("sdb1").label("TOVIK");

    EXPECT_TRUE(changes.update({early}).mountedCards.empty()) << "mounted before the viewer started";

    const TKVolumeDescription labelled = DisksVolumeFixture("sdc1").label("TOVIK");
    const TKVolumeDescription withConfig = DisksVolumeFixture("sdd1");
    const TKVolumeDescription lowerCase = DisksVolumeFixture("sde1").label("tovik");
    const TKVolumeDescription internal = DisksVolumeFixture("mmc1").label("TOVIK").bus("sdio");
    const TKVolumeDescription fixed = DisksVolumeFixture("sda1").label("TOVIK").fixed();
    const TKVolumeDescription unmounted = DisksVolumeFixture("sdf1").label("TOVIK").mountedAt("");
    const TKVolumeChangeList list
        = changes.update({early, labelled, withConfig, lowerCase, internal, fixed, unmounted});
    ASSERT_EQ(list.mountedCards.size(), 2u);
    EXPECT_EQ(list.mountedCards[0].deviceName, "sdc1");
    EXPECT_EQ(list.mountedCards[1].deviceName, "sdd1");
    EXPECT_TRUE(list.unmountedPaths.empty());

    EXPECT_TRUE(changes.update({early, labelled, withConfig}).mountedCards.empty()) << "news only once";

    const TKVolumeChangeList pulled = changes.update({withConfig});
    EXPECT_EQ(pulled.unmountedPaths, (std::vector<std::string>{"/media/user/sdb1", "/media/user/sdc1"}));
    EXPECT_TRUE(pulled.mountedCards.empty());

    // Inserted again: offered again.
    EXPECT_EQ(changes.update({withConfig, labelled}).mountedCards.size(), 1u);
}

TEST(TKVolumeChangesTest, PathIsInsideComparesWholePathParts)
{
    EXPECT_TRUE(TKPathIsInside("/media/user/TOVIK", "/media/user/TOVIK"));
    EXPECT_TRUE(TKPathIsInside("/media/user/TOVIK/DCIM", "/media/user/TOVIK/"));
    EXPECT_FALSE(TKPathIsInside("/media/user/TOVIK2", "/media/user/TOVIK"));
    EXPECT_FALSE(TKPathIsInside("/media/user", "/media/user/TOVIK"));
    EXPECT_FALSE(TKPathIsInside("/media/user/TOVIK", ""));
    EXPECT_TRUE(TKPathIsInside("/anything", "/"));
}
