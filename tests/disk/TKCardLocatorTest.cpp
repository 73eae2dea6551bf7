#include "TestFolder.h"
#include "DisksVolumeFixtures.h"

#include "disk/TKCardLocator.h"
#include "disk/TKDiskService.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

// Lists what a test sets up and renames in memory, or refuses to.
class ListedVolumes : public TKDiskService {
public:
    TKVolumeListing listVolumes() override { return {volumes, problem}; }
    TKStatus<> mount(const TKVolumeDescription &) override { return {}; }
    TKStatus<> unmount(const TKVolumeDescription &) override { return {}; }
    TKStatus<> setLabel(const TKVolumeDescription &volume, const std::string &label) override
    {
        if (!refusal.empty())
            return TKError{refusal};
        for (TKVolumeDescription &listed : volumes)
            if (listed.key == volume.key)
                listed.volumeName = label;
        return {};
    }

    std::vector<TKVolumeDescription> volumes;
    std::string problem;
    std::string refusal;
};

std::string cardWithSettings(const std::string &name, std::size_t bytes)
{
    const std::filesystem::path root = TestFolder("locator-" + name).path();
    std::ofstream(root / "config.bin", std::ios::binary) << std::string(bytes, '\0');
    return root.string();
}

} // namespace

TEST(TKCardLocator, SettingsCardNeedsAConfigBinOfTheRecordsSizeAndGetsTheCardLabel)
{
    ListedVolumes service;
    std::vector<std::string> log;
    const TKCardLocator locator(service, [&log](std::string_view line) { log.emplace_back(line); });

    EXPECT_FALSE(locator.findSettingsCard().anyUSBVolume);
    EXPECT_EQ(log, (std::vector<std::string>{"no removable devices"}));

    service.volumes = {DisksVolumeFixture("sdb1").label("CAM").mountedAt(cardWithSettings("short", 1175))};
    TKCardLocator::SettingsCard found = locator.findSettingsCard();
    EXPECT_TRUE(found.anyUSBVolume);
    EXPECT_FALSE(found.card) << "a config.bin of 1175 bytes is not the camera's";
    EXPECT_EQ(service.volumes.front().volumeName, "CAM") << "nothing renamed";

    const std::string root = cardWithSettings("whole", 1176);
    service.volumes = {DisksVolumeFixture("sdb1").label("CAM").mountedAt(root)};
    found = locator.findSettingsCard();
    ASSERT_TRUE(found.card);
    EXPECT_EQ(found.card->volumeName(), "TOVIK") << "the card as listed after renaming";
    EXPECT_TRUE(found.renameProblem.empty());
    EXPECT_EQ(TKCardLocator::settingsFilePath(*found.card), (std::filesystem::path(root) / "config.bin").string());
    EXPECT_EQ(TKCardLocator::driveInfoFilePath(*found.card),
              (std::filesystem::path(root) / "DrvInfo/tovik_000.drv").string());
    EXPECT_EQ(log.back(), "sizeof(FILEDATA) : 1176");

    service.volumes = {DisksVolumeFixture("sdb1").label("CAM").mountedAt(root)};
    service.refusal = "not authorised";
    found = locator.findSettingsCard();
    ASSERT_TRUE(found.card) << "a refused rename keeps the card";
    EXPECT_EQ(found.card->volumeName(), "CAM");
    EXPECT_EQ(found.renameProblem, "not authorised");
}

TEST(TKCardLocator, SurveyChoosesTheCameraCardAndFindsTheVolumeHoldingAFile)
{
    ListedVolumes service;
    const std::string clockCard = TestFolder("locator-clock").path();
    std::ofstream(std::filesystem::path(clockCard) / "timeset.cfg") << "2024/01/01 00:00:00";
    service.volumes = {DisksVolumeFixture("sdb1").label("OTHER").readOnly(),
                       DisksVolumeFixture("sdc1").label("TOVIK").mountedAt(clockCard),
                       DisksVolumeFixture("sda1").fixed()};
    const TKCardLocator locator(service);

    const TKCardLocator::Survey survey = locator.survey();
    ASSERT_EQ(survey.disks.size(), 2u) << "a fixed disk is no card";
    ASSERT_TRUE(survey.deviceDisk);
    EXPECT_EQ(survey.deviceDisk->deviceFilePath(), "sdc1");
    EXPECT_EQ(locator.findDeviceDisk()->deviceFilePath(), "sdc1");
    EXPECT_EQ(locator.findVolumeHolding("timeset.cfg"), clockCard);
    EXPECT_FALSE(locator.findVolumeHolding("nothing.here"));

    service.volumes.clear();
    service.problem = "UDisks2 is not available";
    EXPECT_EQ(locator.survey().problem, "UDisks2 is not available");
    EXPECT_FALSE(locator.findDeviceDisk());
}
