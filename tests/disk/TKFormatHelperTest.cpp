#include "TestFolder.h"

#include "disk/TKFormatHelperArguments.h"
#include "disk/TKFormatHelperExit.h"
#include "disk/TKFormatHelperInstallation.h"
#include "disk/TKFormatPlan.h"
#include "disk/TKFormatTargetCheck.h"
#include "disk/TKMountTable.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>

namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

std::vector<std::string> withoutProgram(std::vector<std::string> command)
{
    command.erase(command.begin());
    return command;
}

TEST(TKFormatHelperArgumentsTest, TakesOnlyTheApplicationsOwnCommand)
{
    for (const long sectors : kTKSectorsPerClusterChoices) {
        for (const bool whole : {false, true}) {
            const auto request =
                TKParseFormatHelperArguments(withoutProgram(TKFormatCommandArguments("/dev/sdb1", sectors, whole)));
            ASSERT_TRUE(request.has_value());
            EXPECT_EQ(request->devicePath, "/dev/sdb1");
            EXPECT_EQ(request->sectorsPerCluster, sectors);
            EXPECT_EQ(request->mediaWhole, whole);
        }
    }

    const std::vector<std::string> good = withoutProgram(TKFormatCommandArguments("/dev/sdb", 32, false));
    auto changed = [&](auto change) {
        std::vector<std::string> arguments = good;
        change(arguments);
        return TKParseFormatHelperArguments(arguments).has_value();
    };
    EXPECT_FALSE(TKParseFormatHelperArguments({}).has_value());
    EXPECT_FALSE(changed([](auto &a) { a.at(12) = "64"; }));            // a cluster size the app never asks for
    EXPECT_FALSE(changed([](auto &a) { a.at(12) = "32 "; }));
    EXPECT_FALSE(changed([](auto &a) { a.at(3) = "EVIL"; }));           // another label
    EXPECT_FALSE(changed([](auto &a) { a.erase(a.begin() + 10); }));    // without -a
    EXPECT_FALSE(changed([](auto &a) { std::swap(a.at(0), a.at(2)); }));
    EXPECT_FALSE(changed([](auto &a) { a.insert(a.end() - 1, "-c"); }));
    EXPECT_FALSE(changed([](auto &a) { a.insert(a.end() - 1, {"-I", "-I"}); }));
    EXPECT_FALSE(changed([](auto &a) { a.insert(a.begin(), "-I"); }));   // -I only right before the device
    EXPECT_FALSE(changed([](auto &a) { a.push_back("/dev/sdc"); }));    // two devices
    EXPECT_FALSE(changed([](auto &a) { a.pop_back(); }));
    const std::vector<std::string> strangeDevices{"/dev/", "/dev/../etc/passwd", "/dev/disk/by-label/TOVIK",
                                                  "/dev/-f", "/dev/.hidden", "/etc/sdb", "sdb", "/dev/sd b",
                                                  std::string("/dev/sdb\0x", 10), "//dev/sdb"};
    for (const std::string &device : strangeDevices)
        EXPECT_FALSE(changed([&](auto &a) { a.back() = device; })) << device;
}

TEST(TKMountTableTest, ReadsSourcesAndMountPointsWithTheKernelsEscapes)
{
    const auto mounts = TKMountTable::parseMounts("/dev/sda2 / ext4 rw,relatime 0 0\n"
                                                  "proc /proc proc rw 0 0\n"
                                                  "/dev/sdb1 /media/user/TOVIK\\040CARD\\134x vfat rw 0 0\n"
                                                  "\n"
                                                  "lonely\n"
                                                  "/dev/sdc1\t/mnt/a\\01 vfat");
    ASSERT_EQ(mounts.size(), 4u);
    EXPECT_EQ(mounts[0].source, "/dev/sda2");
    EXPECT_EQ(mounts[2].mountPoint, "/media/user/TOVIK CARD\\x");
    EXPECT_EQ(mounts[3].mountPoint, "/mnt/a\\01"); // a cut-off escape stays as it is

    const auto swaps = TKMountTable::parseSwaps("Filename\t\t\t\tType\t\tSize\t\tUsed\t\tPriority\n"
                                                "/dev/sdb2          partition\t1048572\t\t0\t\t-2\n"
                                                "/swap\\040file     file\t\t1048572\t\t0\t\t-3\n");
    ASSERT_EQ(swaps.size(), 2u);
    EXPECT_EQ(swaps[0].source, "/dev/sdb2");
    EXPECT_EQ(swaps[1].source, "/swap file");
    EXPECT_TRUE(TKMountTable::parseSwaps("/dev/sdb2 partition 1 0 -2\n").empty()); // the header line
}

// A made-up sysfs: sda an internal SATA disk, sdb a card in a USB reader with
// two partitions, mmcblk0 a removable medium on no USB bus, loop0 virtual.
class TKFormatTargetCheckTest : public ::testing::Test {
protected:
    static constexpr const char *kCard =
        "sys/devices/pci0000:00/0000:00:14.0/usb2/2-1/2-1:1.0/host6/target6:0:0/6:0:0:0/block/sdb";
    TestFolder folder{"format_target"};
    fs::path root{folder.path()};
    std::map<std::string, TKDeviceNumber> nodes;

    void SetUp() override
    {
        addDevice("sys/devices/pci0000:00/ata1/host0/target0:0:0/0:0:0:0/block/sda", "sda", {8, 0}, "0");
        addPartition("sys/devices/pci0000:00/ata1/host0/target0:0:0/0:0:0:0/block/sda", "sda1", {8, 1});
        addDevice(kCard, "sdb", {8, 16}, "0");
        addPartition(kCard, "sdb1", {8, 17});
        addPartition(kCard, "sdb2", {8, 18});
        addDevice("sys/devices/platform/mmc0/mmc0:0001/block/mmcblk0", "mmcblk0", {179, 0}, "1");
        addDevice("sys/devices/virtual/block/loop0", "loop0", {7, 0}, "0");
        nodes["/dev/disk/by-label/TOVIK"] = {8, 17};
        nodes["/dev/stale"] = {8, 99};
        write("proc/mounts", "/dev/sda1 / ext4 rw 0 0\ntmpfs /tmp tmpfs rw 0 0\n");
        write("proc/swaps", "Filename Type Size Used Priority\n");
    }

    void write(const std::string &path, const std::string &text)
    {
        fs::create_directories((root / path).parent_path());
        std::ofstream(root / path) << text;
    }

    void addDevice(const std::string &folderPath, const std::string &name, TKDeviceNumber number,
                   const std::string &removable)
    {
        write(folderPath + "/removable", removable + "\n");
        link(folderPath, name, number);
    }

    void addPartition(const std::string &diskFolder, const std::string &name, TKDeviceNumber number)
    {
        write(diskFolder + "/" + name + "/partition", "1\n");
        link(diskFolder + "/" + name, name, number);
    }

    void link(const std::string &folderPath, const std::string &name, TKDeviceNumber number)
    {
        fs::create_directories(root / folderPath / "holders");
        fs::create_directories(root / "sys/dev/block");
        const std::string numberName = std::to_string(number.major) + ":" + std::to_string(number.minor);
        fs::create_symlink(root / folderPath, root / "sys/dev/block" / numberName);
        nodes["/dev/" + name] = number;
    }

    TKFormatTargetVerdict check(const std::string &device)
    {
        TKBlockDeviceSources sources;
        sources.sysfs = root / "sys";
        sources.mounts = root / "proc/mounts";
        sources.swaps = root / "proc/swaps";
        sources.blockDeviceAt = [this](const std::string &path) -> std::optional<TKDeviceNumber> {
            auto found = nodes.find(path);
            if (found == nodes.end())
                return std::nullopt;
            return found->second;
        };
        return TKFormatTargetCheck(sources).check(device);
    }
};

TEST_F(TKFormatTargetCheckTest, AllowsAnUnmountedCardOnAUsbBusOrARemovableMedium)
{
    for (const std::string device : {"/dev/sdb", "/dev/sdb1", "/dev/sdb2", "/dev/mmcblk0"}) {
        const TKFormatTargetVerdict verdict = check(device);
        EXPECT_TRUE(verdict.allowed()) << device << ": " << verdict.reason;
    }
}

TEST_F(TKFormatTargetCheckTest, RefusesFixedDisksAndWhatIsNoBlockDevice)
{
    for (const std::string device : {"/dev/sda", "/dev/sda1", "/dev/loop0"}) {
        const TKFormatTargetVerdict verdict = check(device);
        EXPECT_EQ(verdict.exitStatus, TKFormatHelperExit::kNotRemovable) << device;
        EXPECT_THAT(verdict.reason, HasSubstr(device));
    }
    EXPECT_EQ(check("/dev/null").exitStatus, TKFormatHelperExit::kNotABlockDevice);
    EXPECT_EQ(check("/dev/stale").exitStatus, TKFormatHelperExit::kCannotInspect); // no sysfs entry
}

TEST_F(TKFormatTargetCheckTest, RefusesACardOfWhichAnythingIsMountedOrInUse)
{
    write("proc/mounts", "/dev/sda1 / ext4 rw 0 0\n/dev/sdb1 /media/user/TOVIK\\040CARD vfat rw 0 0\n");
    EXPECT_EQ(check("/dev/sdb1").exitStatus, TKFormatHelperExit::kInUse);
    const TKFormatTargetVerdict whole = check("/dev/sdb");
    EXPECT_EQ(whole.exitStatus, TKFormatHelperExit::kInUse);
    EXPECT_EQ(whole.reason, "/dev/sdb1 is mounted on /media/user/TOVIK CARD");
    EXPECT_TRUE(check("/dev/sdb2").allowed()) << "another partition of the card is not touched";

    write("proc/mounts", "/dev/disk/by-label/TOVIK /media/x vfat rw 0 0\n");
    EXPECT_EQ(check("/dev/sdb1").exitStatus, TKFormatHelperExit::kInUse) << "mounted through a link";
    write("proc/mounts", "/dev/sdb /media/x vfat rw 0 0\n");
    EXPECT_EQ(check("/dev/sdb1").exitStatus, TKFormatHelperExit::kInUse) << "its whole disk is mounted";

    write("proc/mounts", "");
    write("proc/swaps", "Filename Type Size Used Priority\n/dev/sdb2 partition 1024 0 -2\n");
    EXPECT_THAT(check("/dev/sdb").reason, HasSubstr("/dev/sdb2 is used as swap"));

    write("proc/swaps", "Filename Type Size Used Priority\n");
    fs::create_directories(root / kCard / "sdb1/holders/dm-0");
    EXPECT_EQ(check("/dev/sdb").reason, "sdb1 is in use by dm-0");

    fs::remove_all(root / "proc");
    EXPECT_EQ(check("/dev/mmcblk0").exitStatus, TKFormatHelperExit::kCannotInspect) << "no mount table";
}

TEST(TKFormatHelperInstallationTest, NamesTheHelperOnlyForMkfsWhenHelperAndActionAreInstalled)
{
    TestFolder folder("format_helper_installation");
    const TKFormatHelperInstallation installation{folder.path("tovik-format-helper"), folder.path("format.policy")};
    const std::vector<std::string> format = TKFormatCommandArguments("/dev/sdb1", 32, false);
    EXPECT_FALSE(installation.helperFor(format).has_value());

    std::ofstream(installation.helperPath) << "#!/bin/sh\n";
    std::ofstream(installation.policyPath) << "<policyconfig/>\n";
    EXPECT_FALSE(installation.helperFor(format).has_value()) << "helper not executable";
    fs::permissions(installation.helperPath, fs::perms::owner_exec, fs::perm_options::add);
    EXPECT_EQ(installation.helperFor(format), installation.helperPath);
    EXPECT_FALSE(installation.helperFor({"mount", "/dev/sdb1"}).has_value());
    EXPECT_FALSE(installation.helperFor({}).has_value());

    fs::remove(installation.policyPath);
    EXPECT_FALSE(installation.helperFor(format).has_value()) << "no polkit action";
}

TEST(TKFormatHelperInstallationTest, ThePolkitActionRunsTheHelperWhereTheApplicationLooksForIt)
{
    const char *source = std::getenv("TOVIK_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    const TKFormatHelperInstallation installed;
    const fs::path policy =
        fs::path(source) / "packaging/polkit" / fs::path(installed.policyPath).filename();
    std::ifstream file(policy);
    ASSERT_TRUE(file) << policy;
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    EXPECT_THAT(text, HasSubstr("<annotate key=\"org.freedesktop.policykit.exec.path\">" + installed.helperPath
                                + "</annotate>"));
    EXPECT_THAT(text, HasSubstr("<message>Authentication is required to format the dashcam card</message>"));
    EXPECT_EQ(fs::path(installed.policyPath).parent_path(), "/usr/share/polkit-1/actions");
}

} // namespace
