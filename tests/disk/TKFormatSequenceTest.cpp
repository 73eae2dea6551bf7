#include "TestFolder.h"
#include "DisksVolumeFixtures.h"

#include "disk/TKCommandRunner.h"
#include "disk/TKDiskService.h"
#include "disk/TKFormatPlan.h"
#include "disk/TKFormatSequence.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>

namespace {

using ::testing::ElementsAre;
using Status = TKFormatResult::Status;

std::string readFile(const std::filesystem::path &path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Mount points are real folders; unmounting hides them from the listing.
class FakeDiskService : public TKDiskService {
public:
    std::vector<TKVolumeDescription> volumes;
    std::map<std::string, std::string> unmountedPaths;
    bool unmountIsIgnored = false;
    bool mountFails = false;
    std::vector<std::string> calls;

    TKVolumeListing listVolumes() override { return {volumes, {}}; }

    TKStatus<> mount(const TKVolumeDescription &volume) override
    {
        calls.push_back("mount " + volume.deviceName);
        if (mountFails)
            return TKError{"org.freedesktop.UDisks2.Error.Failed: no file system"};
        for (TKVolumeDescription &known : volumes) {
            if (known.key == volume.key && known.mountPath.empty())
                known.mountPath = unmountedPaths[known.key];
        }
        return {};
    }

    TKStatus<> unmount(const TKVolumeDescription &volume) override
    {
        calls.push_back("unmount " + volume.deviceName);
        if (unmountIsIgnored)
            return TKError{"org.freedesktop.UDisks2.Error.DeviceBusy: target is busy"};
        for (TKVolumeDescription &known : volumes) {
            if (known.key == volume.key) {
                unmountedPaths[known.key] = known.mountPath;
                known.mountPath.clear();
            }
        }
        return {};
    }

    TKStatus<> setLabel(const TKVolumeDescription &, const std::string &) override { return {}; }
};

// Stands in for pkexec mkfs.fat: on success the card's folder is emptied and relabelled.
class FakeRunner : public TKCommandRunner {
public:
    explicit FakeRunner(FakeDiskService &service) : m_service(service) {}

    TKCommandResult answer;
    std::vector<std::vector<std::string>> commands;
    bool asAdministrator = false;

    TKCommandResult run(const std::vector<std::string> &arguments, bool administrator) override
    {
        commands.push_back(arguments);
        asAdministrator = administrator;
        if (answer.succeeded()) {
            for (TKVolumeDescription &volume : m_service.volumes) {
                if ("/dev/" + volume.deviceName != arguments.back())
                    continue;
                EXPECT_TRUE(volume.mountPath.empty()) << "formatted while mounted";
                std::filesystem::remove_all(m_service.unmountedPaths[volume.key]);
                std::filesystem::create_directories(m_service.unmountedPaths[volume.key]);
                volume.volumeName = "TOVIK";
            }
        }
        return answer;
    }

private:
    FakeDiskService &m_service;
};

class TKFormatSequenceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = TestFolder(::testing::UnitTest::GetInstance()->current_test_info()->name()).path();
        temporary = root / "tmp";
    }

    std::filesystem::path card(const std::string &name, const std::string &settings)
    {
        const std::filesystem::path path = root / name;
        std::filesystem::create_directories(path);
        if (!settings.empty())
            std::ofstream(path / "config.bin", std::ios::binary) << settings;
        return path;
    }

    TKFormatResult format(const std::string &device)
    {
        TKFormatSequence sequence(service, runner, temporary);
        return sequence.run(device, [this](const TKFormatStep &step) {
            const char *states[] = {"start", "ok", "fail"};
            steps.push_back(step.text + " " + states[static_cast<int>(step.state)]);
        });
    }

    bool temporaryIsEmpty() const
    {
        return !std::filesystem::exists(temporary) || std::filesystem::is_empty(temporary);
    }

    std::filesystem::path root;
    std::filesystem::path temporary;
    FakeDiskService service;
    FakeRunner runner{service};
    std::vector<std::string> steps;
};

TEST(TKFormatPlanTest, ClusterSizeAndArgumentVector)
{
    EXPECT_EQ(clusterSizeByVolumeSizeInKB(7'516'192'767), 32);
    EXPECT_EQ(clusterSizeByVolumeSizeInKB(7'516'192'768), 128);
    EXPECT_THAT(TKFormatCommandArguments("/dev/sdb1", 32, false),
                ElementsAre("mkfs.fat", "-F", "32", "-n", "TOVIK", "-f", "2", "-b", "6", "-R", "32", "-a", "-s", "32",
                            "/dev/sdb1"));
    EXPECT_EQ(TKFormatCommandArguments("/dev/sdb", 128, true).at(14), "-I");
    EXPECT_EQ(TKDevicePathForName("mmcblk0p1"), "/dev/mmcblk0p1");
    for (const char *bad : {"", "../sda", "sdb/1", "-rf", ".hidden", "sd b"})
        EXPECT_FALSE(TKDevicePathForName(bad)) << bad;
}

TEST_F(TKFormatSequenceTest, KeepsConfigAsideFormatsAndPutsItBack)
{
    const std::string settings(1176, '\x5a');
    service.volumes = {DisksVolumeFixture("sdb1").label("CAMERA").mountedAt(card("sdb1", settings))};

    const TKFormatResult result = format("sdb1");

    EXPECT_EQ(result.status, Status::Completed) << result.message;
    EXPECT_EQ(result.displayString, "[7.5 GB] TOVIK <Card Reader>");
    EXPECT_FALSE(result.wroteDefaultSettings);
    EXPECT_EQ(readFile(root / "sdb1" / "config.bin"), settings);
    EXPECT_TRUE(temporaryIsEmpty()) << "the kept copy is removed once it is back";
    ASSERT_EQ(runner.commands.size(), 1u);
    EXPECT_TRUE(runner.asAdministrator);
    EXPECT_THAT(runner.commands[0], ::testing::Contains("128"));
    EXPECT_THAT(runner.commands[0], ::testing::Not(::testing::Contains("-I")));
    EXPECT_THAT(steps, ElementsAre("Formatting... start", "Formatting... ok", "unmount disk... start",
                                   "unmount disk... ok", "formatting... start", "formatting... ok",
                                   "try mount... start", "try mount... ok", "Format completed! start",
                                   "Format completed! ok"));
}

TEST_F(TKFormatSequenceTest, WholeMediumWithoutConfigGetsDefaultRecordAndEveryVolumeUnmounted)
{
    service.volumes = {DisksVolumeFixture("sdc").wholeMedium().size(4'000'000'000).onDrive("d").mountedAt(card("sdc", "")),
                       DisksVolumeFixture("sdb1").mountedAt(card("sdb1", "x")).onDrive("other")};

    const TKFormatResult result = format("sdc");

    EXPECT_EQ(result.status, Status::Completed) << result.message;
    EXPECT_TRUE(result.wroteDefaultSettings);
    EXPECT_EQ(std::filesystem::file_size(root / "sdc" / "config.bin"), 1176u);
    ASSERT_EQ(runner.commands.size(), 1u);
    EXPECT_THAT(runner.commands[0], ::testing::Contains("-I"));
    EXPECT_THAT(runner.commands[0], ::testing::Contains("32"));
    EXPECT_THAT(service.calls, ElementsAre("unmount sdc", "mount sdc"));
    EXPECT_EQ(readFile(root / "sdb1" / "config.bin"), "x");
}

TEST_F(TKFormatSequenceTest, RefusesCardsItMustNotTouch)
{
    service.volumes = {DisksVolumeFixture("sdb1").readOnly().mountedAt(card("sdb1", "keep")),
                       DisksVolumeFixture("sdc1").size(0).mountedAt(card("sdc1", "keep")),
                       DisksVolumeFixture("sda1").fixed().mountedAt(card("sda1", "keep")),
                       DisksVolumeFixture("mmcblk0p1").bus("sdio").mountedAt(card("mmc", "keep"))};

    const TKFormatResult readOnly = format("sdb1");
    EXPECT_EQ(readOnly.status, Status::Refused);
    EXPECT_EQ(readOnly.errorNumber, 1);
    EXPECT_THAT(readOnly.message, ::testing::HasSubstr("write-protected"));
    for (const char *device : {"sdc1", "sda1", "mmcblk0p1", "sdz9", "../sda1"})
        EXPECT_EQ(format(device).status, Status::Refused) << device;

    EXPECT_TRUE(runner.commands.empty());
    EXPECT_TRUE(service.calls.empty());
    EXPECT_TRUE(temporaryIsEmpty());
}

TEST_F(TKFormatSequenceTest, NeverFormatsAVolumeThatStaysMounted)
{
    service.volumes = {DisksVolumeFixture("sdb1").mountedAt(card("sdb1", "keep"))};
    service.unmountIsIgnored = true;

    const TKFormatResult result = format("sdb1");

    EXPECT_EQ(result.status, Status::Refused);
    EXPECT_THAT(result.message, ::testing::HasSubstr("still mounted"));
    EXPECT_THAT(result.message, ::testing::HasSubstr("target is busy"));
    EXPECT_TRUE(runner.commands.empty());
    EXPECT_EQ(readFile(root / "sdb1" / "config.bin"), "keep");
    EXPECT_TRUE(temporaryIsEmpty());
}

TEST_F(TKFormatSequenceTest, FailedFormatMountsAgainAndKeepsTheCopy)
{
    service.volumes = {DisksVolumeFixture("sdb1").mountedAt(card("sdb1", "keep"))};
    runner.answer = {TKCommandError::kAuthorizationRefused, "The administrator password prompt was cancelled"};

    const TKFormatResult result = format("sdb1");

    EXPECT_EQ(result.status, Status::FormatFailed);
    EXPECT_EQ(result.errorNumber, TKCommandError::kAuthorizationRefused);
    EXPECT_EQ(result.message, "The administrator password prompt was cancelled");
    EXPECT_THAT(service.calls, ElementsAre("unmount sdb1", "mount sdb1"));
    EXPECT_EQ(service.volumes[0].mountPath, (root / "sdb1").string());
    ASSERT_FALSE(result.savedConfigPath.empty());
    EXPECT_EQ(readFile(result.savedConfigPath), "keep");
    EXPECT_EQ(steps.back(), "formatting... fail");
}

TEST_F(TKFormatSequenceTest, CardNotBackAfterFormattingKeepsTheCopyAndSaysWhere)
{
    service.volumes = {DisksVolumeFixture("sdb1").mountedAt(card("sdb1", "keep"))};
    service.mountFails = true;

    const TKFormatResult result = format("sdb1");

    EXPECT_EQ(result.status, Status::RestoreFailed);
    EXPECT_THAT(result.message, ::testing::HasSubstr("not found mounted"));
    ASSERT_FALSE(result.savedConfigPath.empty());
    EXPECT_EQ(readFile(result.savedConfigPath), "keep");
    EXPECT_THAT(steps, ::testing::Contains("try mount... fail"));
    EXPECT_EQ(steps.back(), "Format completed! fail");
}

} // namespace
