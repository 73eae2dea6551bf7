#include "TestFolder.h"
#include "DisksVolumeFixtures.h"

#include "disk/TKSizeString.h"
#include "disk/TKUSBDiskDiscovery.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

std::filesystem::path makeMountPoint(const std::string &name, bool withSettings)
{
    const std::filesystem::path path = TestFolder("discovery-" + name).path();
    if (withSettings)
        std::ofstream(path / "config.bin") << "settings";
    return path;
}

// Rounds like the camera tools: halfway ties go to even unless a lower
// remainder was dropped, and the text never grows beyond six characters.
TEST(TKSizeStringTest, RoundsLikeTheCameraTools)
{
    const std::pair<std::uint64_t, const char *> cases[] = {
        {0, "0 B"},                      {1023, "1023 B"},       {1024, "1.0 kB"},
        {1280, "1.3 kB"},                {1536, "1.5 kB"},       {10188, "10 kB"},
        {10240, "10 kB"},                {1'048'575, "1.0 MB"},  {7'516'192'768, "7.0 GB"},
        {8'000'000'000, "7.5 GB"},       {UINT64_MAX, "16 EB"},  {10 * 1024 + 512, "10 kB"},
        {11 * 1024 + 512, "12 kB"},      {(10ull * 1024 + 512) * 1024 + 1, "11 MB"},
        {1024 + 450, "1.4 kB"},          {1024 + 550, "1.6 kB"}, {9 * 1024 + 950, "10 kB"},
        {999'999'999'999, "931 GB"}};
    for (const auto &[bytes, text] : cases) {
        EXPECT_EQ(TKSizeString(bytes), text) << bytes;
        EXPECT_LE(TKSizeString(bytes).size(), 6u) << bytes;
    }
}

TEST(TKUSBDiskEntityTest, DisplayStringShowsTheModelOnlyWhenKnown)
{
    const auto entities = TKUSBDiskEntities({DisksVolumeFixture("sdb1").label("TOVIK"),
                                             DisksVolumeFixture("sdc1").label("TOVIK").model("")});
    ASSERT_EQ(entities.size(), 2u);
    EXPECT_EQ(entities[0].displayString(), "[7.5 GB] TOVIK <Card Reader>");
    EXPECT_EQ(entities[1].displayString(), "[7.5 GB] TOVIK ");
    EXPECT_FALSE(entities[1].deviceModel().has_value());
}

TEST(TKUSBDiskDiscoveryTest, ListsOnlyMountedRemovableUSBVolumesWithADeviceName)
{
    DisksVolumeFixture nameless("x");
    TKVolumeDescription noName = nameless;
    noName.deviceName.clear();
    const auto entities = TKUSBDiskEntities({
        DisksVolumeFixture("sdb1"),
        DisksVolumeFixture("mmcblk0p1").bus("sdio"),
        DisksVolumeFixture("sdc1").bus("USB"),
        DisksVolumeFixture("sda1").fixed(),
        DisksVolumeFixture("sdd1").mountedAt(""),
        noName,
        DisksVolumeFixture("sde").wholeMedium().readOnly(),
    });
    ASSERT_EQ(entities.size(), 2u);
    EXPECT_EQ(entities[0].deviceFilePath(), "sdb1");
    EXPECT_EQ(entities[0].mountedURL(), "/media/user/sdb1");
    EXPECT_EQ(entities[0].key(), "/org/freedesktop/UDisks2/block_devices/sdb1");
    EXPECT_EQ(entities[1].deviceFilePath(), "sde");
    EXPECT_TRUE(entities[1].mediaWhole());
    EXPECT_FALSE(entities[1].writable());
}

TEST(TKUSBDiskDiscoveryTest, FindDeviceDiskRunsItsFivePassesInOrder)
{
    const auto first = makeMountPoint("first", false);
    const auto second = makeMountPoint("second", true);
    const auto lower = makeMountPoint("lower", true);

    // Two writable "TOVIK" cards: the one holding config.bin wins.
    auto chosen = TKFindDeviceDisk(TKUSBDiskEntities({DisksVolumeFixture("sdb1").label("TOVIK").mountedAt(first),
                                                      DisksVolumeFixture("sdc1").label("TOVIK").mountedAt(second)}));
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->deviceFilePath(), "sdc1");

    // A lower-case label never matches the name passes; a read-only "TOVIK" beats it.
    chosen = TKFindDeviceDisk(TKUSBDiskEntities({DisksVolumeFixture("sdb1").label("tovik").mountedAt(lower),
                                                 DisksVolumeFixture("sdc1").label("TOVIK").readOnly()}));
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->deviceFilePath(), "sdc1");

    // Without "TOVIK": the first writable one, else simply the first.
    chosen = TKFindDeviceDisk(TKUSBDiskEntities({DisksVolumeFixture("sdb1").label("tovik").readOnly(),
                                                 DisksVolumeFixture("sdc1").label("tovik")}));
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->deviceFilePath(), "sdc1");
    chosen = TKFindDeviceDisk(TKUSBDiskEntities({DisksVolumeFixture("sdb1").readOnly(),
                                                 DisksVolumeFixture("sdc1").readOnly()}));
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->deviceFilePath(), "sdb1");

    EXPECT_FALSE(TKFindDeviceDisk({}));
    EXPECT_FALSE(TKFindDeviceDisk(TKUSBDiskEntities({DisksVolumeFixture("mmcblk0p1").bus("sdio")})));
}

TEST(TKUSBDiskDiscoveryTest, VolumeContainingFileTakesTheFirstUSBVolumeHoldingTheEntry)
{
    const auto without = makeMountPoint("without", false);
    const auto with = makeMountPoint("with", true);
    const auto notUsb = makeMountPoint("notusb", true);
    const std::vector<TKVolumeDescription> volumes{DisksVolumeFixture("mmcblk0p1").bus("sdio").mountedAt(notUsb),
                                                   DisksVolumeFixture("sdb1").mountedAt(without),
                                                   DisksVolumeFixture("sdc1").mountedAt(with)};
    EXPECT_EQ(TKUSBVolumeURLContainingFile(volumes, "config.bin"), with.string());
    EXPECT_FALSE(TKUSBVolumeURLContainingFile(volumes, "timeset.cfg"));
    EXPECT_EQ(TKMountedUSBVolumeURLs(volumes), (std::vector<std::string>{without.string(), with.string()}));
}

} // namespace
