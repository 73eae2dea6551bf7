#include "DisksTestFolder.h"
#include "DisksVolumeFixtures.h"

#include "tools/TKSizeString.h"
#include "tools/TKUSBDiskDiscovery.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

std::filesystem::path makeMountPoint(const std::string &name, bool withSettings)
{
    const std::filesystem::path path = disksTestFolder("discovery-" + name);
    if (withSettings)
        std::ofstream(path / "config.bin") << "settings";
    return path;
}

TEST(TKSizeStringTest, RoundsLikeTheCameraTools)
{
    EXPECT_EQ(TKSizeString(0), "0 B");
    EXPECT_EQ(TKSizeString(1023), "1023 B");
    EXPECT_EQ(TKSizeString(1024), "1.0 kB");
    EXPECT_EQ(TKSizeString(1280), "1.3 kB");
    EXPECT_EQ(TKSizeString(1536), "1.5 kB");
    EXPECT_EQ(TKSizeString(10188), "10 kB");
    EXPECT_EQ(TKSizeString(10240), "10 kB");
    EXPECT_EQ(TKSizeString(1'048'575), "1.0 MB");
    EXPECT_EQ(TKSizeString(7'516'192'768), "7.0 GB");
    EXPECT_EQ(TKSizeString(8'000'000'000), "7.5 GB");
    EXPECT_EQ(TKSizeString(UINT64_MAX), "16 EB");
}

TEST(TKSizeStringTest, BreaksHalfwayTiesToEvenUnlessALowerRemainderWasDropped)
{
    // 10.5 kB: even 10 stays, odd 11 rounds up.
    EXPECT_EQ(TKSizeString(10 * 1024 + 512), "10 kB");
    EXPECT_EQ(TKSizeString(11 * 1024 + 512), "12 kB");
    // 10.5 MB with one byte dropped below the kB remainder rounds up.
    EXPECT_EQ(TKSizeString((10ull * 1024 + 512) * 1024 + 1), "11 MB");
    // Tenths: 1 + 450/1024 gives digit 4 and 50 left: even stays, odd 550 rounds.
    EXPECT_EQ(TKSizeString(1024 + 450), "1.4 kB");
    EXPECT_EQ(TKSizeString(1024 + 550), "1.6 kB");
    EXPECT_EQ(TKSizeString(9 * 1024 + 950), "10 kB");
    for (std::uint64_t bytes : std::initializer_list<std::uint64_t>{1023, 1048575, 999999999999, UINT64_MAX})
        EXPECT_LE(TKSizeString(bytes).size(), 6u) << bytes;
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
