#include "SettingControllerFakes.h"
#include "TestFolder.h"

#include "settings/VRDSettingTabFactory.h"
#include "widgets/TKSegmentedControl.h"

#include <QDir>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <filesystem>

namespace {

// The settings window on a card folder, a fake disk service and either
// fake tabs or the real ones.
struct CardWindow {
    explicit CardWindow(const std::string &name) : card(name) {}

    std::string cardFile() const { return card.path("config.bin"); }
    void insertCard(const std::string &volumeName = "TOVIK")
    {
        disks->volumes = {FakeDiskService::usbVolume(card.path(), volumeName)};
    }
    void putOnCard(const FILEDATA &record) const { writeBytes(cardFile(), &record, sizeof record); }

    void open(QString settingFilePath = {})
    {
        VRDSettingController::Environment environment;
        environment.diskService = disks;
        environment.tabFactory = realTabs ? std::make_shared<VRDSettingTabFactory>() : tabs;
        environment.chooseSavePath = [this](QWidget *, const QString &proposed) {
            proposedPaths << proposed;
            return savePanelAnswer;
        };
        environment.settingFilePath = std::move(settingFilePath);
        controller = std::make_unique<VRDSettingController>(std::move(environment));
        QSignalSpy loaded(controller.get(), &VRDSettingController::settingFileLoaded);
        controller->show();
        if (controller->isLoading())
            EXPECT_TRUE(loaded.wait(5000));
    }
    FakeTab *tab() const { return dynamic_cast<FakeTab *>(controller->targetController()); }
    QString versionTitle() const { return QStringLiteral("Tovik Settings[Ver %1]").arg(TOVIK_TEST_VERSION); }

    TestFolder card;
    std::shared_ptr<FakeDiskService> disks = std::make_shared<FakeDiskService>();
    std::shared_ptr<FakeTabFactory> tabs = std::make_shared<FakeTabFactory>();
    bool realTabs = false;
    QString savePanelAnswer;
    QStringList proposedPaths;
    std::unique_ptr<VRDSettingController> controller;
};

FILEDATA defaultRecord()
{
    FILEDATA record{};
    VRDResetFileData(record);
    return record;
}

TEST(SettingControllerCard, LoadsTheCardsFileAndShowsItOnTheVisibleTab)
{
    CardWindow window("load");
    window.insertCard();
    const FILEDATA onCard = cameraRecord();
    window.putOnCard(onCard);
    window.realTabs = true;
    window.open();

    EXPECT_TRUE(sameBytes(window.controller->fileData(), onCard));
    EXPECT_EQ(window.controller->settingFilePath(), QString::fromStdString(window.cardFile()));
    EXPECT_EQ(window.controller->windowTitle(), window.versionTitle() + " : " + QString::fromStdString(window.cardFile()));
    auto *quality = window.controller->findChild<TKSegmentedControl *>("videoEncodingBitrate");
    ASSERT_NE(quality, nullptr);
    EXPECT_EQ(quality->selectedSegment(), 2) << "the tab shows the loaded record, not the defaults";
    QCoreApplication::processEvents();
    EXPECT_TRUE(window.controller->selectedUSBDisk().has_value());
}

TEST(SettingControllerCard, CardWithAnotherNameIsRenamedBeforeLoading)
{
    CardWindow window("rename");
    window.insertCard("NO NAME");
    window.putOnCard(cameraRecord());
    window.open();
    EXPECT_EQ(window.disks->labelRequests, std::vector<std::string>{"TOVIK"});
    ASSERT_TRUE(window.controller->selectedUSBDisk().has_value());
    EXPECT_EQ(window.controller->selectedUSBDisk()->volumeName(), "TOVIK");
    EXPECT_FALSE(window.controller->settingFilePath().isEmpty());

    CardWindow refused("rename_refused");
    refused.insertCard("NO NAME");
    refused.disks->failSetLabel = true;
    refused.putOnCard(cameraRecord());
    refused.open();
    EXPECT_EQ(refused.controller->fileData().vid_enc_bitrate, 2u) << "a failed rename does not stop the load";
}

TEST(SettingControllerCard, RejectedFileGivesDefaultsTheComputersZoneAndNoPath)
{
    CardWindow window("rejected");
    window.insertCard();
    FILEDATA other = cameraRecord(202);
    other.vehicletype = 77; // a byte without default must not leak from the refused file
    window.putOnCard(other);
    window.open();

    FILEDATA expected = defaultRecord();
    expected.time_gmt = VRDTimeZoneIndex();
    EXPECT_TRUE(sameBytes(window.controller->fileData(), expected));
    EXPECT_TRUE(window.controller->settingFilePath().isEmpty());
    EXPECT_EQ(window.controller->windowTitle(), window.versionTitle());
    EXPECT_EQ(window.tab()->shownRecord.time_gmt, expected.time_gmt) << "the tab was refreshed";
}

TEST(SettingControllerCard, FileOfTheWrongSizeOrNoCardLeavesTheDefaults)
{
    CardWindow window("short");
    window.insertCard();
    const FILEDATA record = cameraRecord();
    writeBytes(window.cardFile(), &record, sizeof record - 1);
    window.open();
    EXPECT_FALSE(window.controller->isLoadingSheetVisible());
    EXPECT_EQ(window.controller->windowTitle(), "Tovik Settings");
    EXPECT_TRUE(sameBytes(window.controller->fileData(), defaultRecord()));
    EXPECT_FALSE(window.controller->selectedUSBDisk().has_value());

    CardWindow noCard("no_card");
    noCard.open();
    EXPECT_EQ(noCard.controller->windowTitle(), "Tovik Settings");
    EXPECT_TRUE(sameBytes(noCard.controller->fileData(), defaultRecord()));
}

TEST(SettingControllerCard, SaveWritesBackToTheCardAndTheSavedSheetClosesTheWindow)
{
    CardWindow window("save_card");
    window.insertCard();
    window.putOnCard(cameraRecord());
    window.open();
    QSignalSpy saved(window.controller.get(), &VRDSettingController::settingFileSaved);

    window.controller->onSave();

    ASSERT_EQ(saved.size(), 1);
    EXPECT_EQ(saved.at(0).at(0).toString(), QString::fromStdString(window.cardFile()));
    FILEDATA written{};
    ASSERT_TRUE(VRDReadFileData(window.cardFile(), written));
    EXPECT_EQ(written.vid_enc_bitrate, 0u) << "the tab's populate reached the file";
    EXPECT_EQ(written.checksum, VRDCheckWord(written));
    EXPECT_TRUE(window.proposedPaths.isEmpty());
    auto alerts = alertsOf(window.controller.get());
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0]->text(), QString::fromStdString(window.cardFile()));
    EXPECT_EQ(alerts[0]->informativeText(), "Saved.");
    EXPECT_TRUE(window.controller->isVisible());
    dismissAlerts(window.controller.get());
    EXPECT_FALSE(window.controller->isVisible());
}

TEST(SettingControllerCard, SaveWithoutACardFileGoesToTheProposedDiskOrThePanel)
{
    CardWindow disk("save_disk");
    disk.insertCard("USB STICK");
    disk.open();
    disk.controller->onSave();
    EXPECT_TRUE(std::filesystem::exists(disk.cardFile())) << "the disk the card search proposes";
    EXPECT_TRUE(disk.proposedPaths.isEmpty());

    CardWindow panel("save_panel");
    panel.open();
    panel.controller->onSave();
    ASSERT_EQ(panel.proposedPaths.size(), 1);
    EXPECT_TRUE(panel.proposedPaths[0].endsWith("/Desktop/config.bin")) << panel.proposedPaths[0].toStdString();
    EXPECT_TRUE(alertsOf(panel.controller.get()).empty()) << "cancelling shows nothing";

    panel.savePanelAnswer = QString::fromStdString(panel.card.path("chosen.bin"));
    panel.controller->onSave();
    FILEDATA written{};
    EXPECT_TRUE(VRDReadFileData(panel.card.path("chosen.bin"), written));
}

TEST(SettingControllerCard, RefusedInputOrAFailedWriteKeepsTheWindowOpen)
{
    CardWindow window("save_fail");
    window.open();
    window.tab()->refusal = "Enter a number, such as 0.50.";
    window.savePanelAnswer = QString::fromStdString(window.card.path("chosen.bin"));
    window.controller->onSave();
    auto alerts = alertsOf(window.controller.get());
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0]->text(), "TOVIK");
    EXPECT_TRUE(window.proposedPaths.isEmpty());
    dismissAlerts(window.controller.get());

    window.tab()->refusal.clear();
    window.savePanelAnswer = QString::fromStdString(window.card.path("missing/folder/config.bin"));
    window.controller->onSave();
    alerts = alertsOf(window.controller.get());
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0]->text(), "Warn");
    EXPECT_TRUE(alerts[0]->informativeText().startsWith("The file could not be opened for writing."))
        << "only a locked card is called write-protected";
    dismissAlerts(window.controller.get());
    EXPECT_TRUE(window.controller->isVisible());
}

TEST(SettingControllerCard, FileGivenByPathIsLoadedAndSavedInPlace)
{
    CardWindow window("given_path");
    window.insertCard(); // present, but the given file wins
    window.putOnCard(cameraRecord());
    const std::string given = window.card.path("copy.bin");
    FILEDATA copy = cameraRecord();
    copy.time_gmt = 5;
    VRDPrepareFileDataForSave(copy);
    writeBytes(given, &copy, sizeof copy);
    std::filesystem::create_directories(window.card.path("DrvInfo"));
    writeBytes(window.card.path("DrvInfo/tovik_000.drv"), "x", 1);
    window.open(QString::fromStdString(given));

    EXPECT_EQ(window.controller->fileData().time_gmt, 5);
    window.controller->changeViewController(7);
    EXPECT_EQ(window.tabs->driveInfoPath, QDir(QString::fromStdString(window.card.path())).filePath("DrvInfo/tovik_000.drv"));
    editRecord(window.controller->filedata(), [](FILEDATA &record) { record.summer_time = 1; });
    window.controller->onSave();
    FILEDATA written{};
    ASSERT_TRUE(VRDReadFileData(given, written));
    EXPECT_EQ(written.summer_time, 1u);
    EXPECT_EQ(readBytes(window.cardFile()).size(), sizeof(FILEDATA));
    FILEDATA cardAfter{};
    ASSERT_TRUE(VRDReadFileData(window.cardFile(), cardAfter));
    EXPECT_EQ(cardAfter.summer_time, 0u) << "the card was not written";

    // A refused given file is not overwritten: the user picks where to save.
    CardWindow refused("given_refused");
    const std::string bad = refused.card.path("bad.bin");
    writeBytes(bad, "short", 5);
    refused.open(QString::fromStdString(bad));
    EXPECT_EQ(refused.controller->windowTitle(), refused.versionTitle());
    refused.controller->onSave();
    EXPECT_EQ(refused.proposedPaths, QStringList{QString::fromStdString(bad)});
    EXPECT_EQ(readBytes(bad).size(), 5u);
}

} // namespace
