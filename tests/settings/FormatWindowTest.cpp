#include "TestFolder.h"
#include "DisksVolumeFixtures.h"
#include "FormatWindowFakes.h"
#include "Screenshot.h"

#include "config/FILEDATA.h"
#include "widgets/PMProgressIndicator.h"
#include "settings/VRDFormatWindowController.h"
#include "ui_VRDFormatWindowController.h"
#include "widgets/TKLocalization.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>
#include <future>
#include <iterator>

namespace {

std::string readFile(const std::filesystem::path &path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class FormatWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = TestFolder(std::string("window_") + ::testing::UnitTest::GetInstance()->current_test_info()->name()).path();
    }

    // A mounted card folder, with config.bin when settings are given.
    std::string card(const std::string &name, const std::string &settings = {})
    {
        const std::filesystem::path path = root / name;
        std::filesystem::create_directories(path);
        if (!settings.empty())
            std::ofstream(path / "config.bin", std::ios::binary) << settings;
        return path.string();
    }

    std::unique_ptr<VRDFormatWindowController> openWindow()
    {
        VRDFormatWindowController::Environment environment;
        environment.diskService = service;
        environment.runner = runner;
        environment.temporaryFolder = root / "tmp";
        environment.confirmErase = [this](QWidget *, const QString &displayString) {
            confirmations.append(displayString);
            return confirmAnswer;
        };
        auto window = std::make_unique<VRDFormatWindowController>(environment);
        QObject::connect(window.get(), &VRDFormatWindowController::progressMessageChanged,
                         [this](const QString &text) { messages.append(text); });
        window->show();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !window->isSearching() && window->stopProgressBar(); }));
        return window;
    }

    // Presses Format and waits for the alert that ends the run.
    QMessageBox *formatAndWait(VRDFormatWindowController &window)
    {
        QSignalSpy finished(&window, &VRDFormatWindowController::formatFinished);
        window.ui().formatButton->click();
        EXPECT_TRUE(finished.wait(5000));
        return formatWindowAlert(&window);
    }

    std::filesystem::path root;
    std::shared_ptr<FormatWindowDiskService> service = std::make_shared<FormatWindowDiskService>();
    std::shared_ptr<FormatWindowRunner> runner = std::make_shared<FormatWindowRunner>(*service);
    QStringList confirmations;
    QStringList messages;
    bool confirmAnswer = true;
};

TEST_F(FormatWindowTest, ListsTheDisksAndShowsTheChosenOnesDeviceAndClusterSize)
{
    service->volumes = {DisksVolumeFixture("sdb1").label("CAM").mountedAt(card("big")).size(8'000'000'000),
                        DisksVolumeFixture("sdc1").label("SMALL").mountedAt(card("small")).size(7'516'192'767),
                        DisksVolumeFixture("sda1").fixed().mountedAt(card("internal"))};
    const auto window = openWindow();

    ASSERT_EQ(window->ui().usbDiskCombo->count(), 2);
    EXPECT_EQ(window->ui().usbDiskCombo->itemText(0), "[7.5 GB] CAM <Card Reader>");
    EXPECT_EQ(window->ui().usbDiskCombo->currentIndex(), 0);
    EXPECT_EQ(window->ui().pathField->text(), QString("sdb1   ") + QString::fromStdString(root / "big"));
    EXPECT_EQ(window->ui().fileSystemField->text(), "FAT32");
    // 128 sectors of 512 bytes: the cluster the card really gets.
    EXPECT_EQ(window->ui().allocationUnitField->text(), "64 KB");
    EXPECT_EQ(window->ui().progressView->messageField()->text(), "Disk searching...");
    EXPECT_FALSE(window->ui().progressView->bar()->isVisible());

    window->ui().usbDiskCombo->setCurrentIndex(1);
    window->changeDisk();
    EXPECT_EQ(window->ui().allocationUnitField->text(), "16 KB");
    EXPECT_EQ(window->selectedUSBDisk()->deviceFilePath(), "sdc1");
    EXPECT_EQ(VRDFormatWindowController::allocationUnitText(32), "16 KB");
    EXPECT_EQ(VRDFormatWindowController::allocationUnitText(128), "64 KB");
}

TEST_F(FormatWindowTest, RefusesWithoutDiskSelectionWriteAccessOrConfirmation)
{
    service->problem = "org.freedesktop.DBus.Error.ServiceUnknown";
    auto window = openWindow();
    window->ui().formatButton->click();
    QMessageBox *alert = formatWindowAlert(window.get());
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->informativeText(), "There is no USB drive.\norg.freedesktop.DBus.Error.ServiceUnknown");
    alert->accept();

    service->problem.clear();
    service->volumes = {DisksVolumeFixture("sdb1").label("LOCKED").mountedAt(card("locked")).readOnly(),
                        DisksVolumeFixture("sdc1").label("CAM").mountedAt(card("cam", "settings"))};
    window = openWindow();
    window->ui().usbDiskCombo->setCurrentIndex(-1);
    window->ui().formatButton->click();
    alert = formatWindowAlert(window.get());
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->informativeText(), "Please select USB drive.");
    alert->accept();

    window->ui().usbDiskCombo->setCurrentIndex(0);
    window->ui().formatButton->click();
    alert = formatWindowAlert(window.get());
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->windowTitle(), TKLocalizedString("msg.cannot_format"));
    EXPECT_EQ(alert->informativeText(), "[7.5 GB] LOCKED <Card Reader>\n" + TKLocalizedString("msg.write_protected_disk"));
    alert->accept();
    EXPECT_TRUE(confirmations.isEmpty());

    confirmAnswer = false;
    window->ui().usbDiskCombo->setCurrentIndex(1);
    window->ui().formatButton->click();
    EXPECT_EQ(confirmations, QStringList{"[7.5 GB] CAM <Card Reader>"});
    EXPECT_EQ(formatWindowAlert(window.get()), nullptr);
    EXPECT_FALSE(window->isFormatting());
    EXPECT_TRUE(runner->commands().empty());
    EXPECT_EQ(readFile(root / "cam" / "config.bin"), "settings");
}

TEST_F(FormatWindowTest, FormatsShowsEveryStepReselectsTheCardAndClosesAfterTheCompletionAlert)
{
    service->volumes = {DisksVolumeFixture("sda1").label("OTHER").mountedAt(card("other")),
                        DisksVolumeFixture("sdb1").label("CAM").mountedAt(card("cam", "my settings"))
                            .size(4'000'000'000)};
    std::ofstream(root / "cam" / "old.mp4") << "recording";
    const auto window = openWindow();
    window->ui().usbDiskCombo->setCurrentIndex(1);
    messages.clear();

    QMessageBox *alert = formatAndWait(*window);

    EXPECT_EQ(messages, (QStringList{"Formatting...", "unmount disk...", "formatting...", "try mount...",
                                     "Format completed!", "Disk searching..."}));
    ASSERT_EQ(runner->commands().size(), 1u);
    const std::vector<std::string> command = runner->commands().front();
    // The command keeps the sector count; the window showed its size in KB.
    EXPECT_EQ(command[command.size() - 2], "32");
    EXPECT_EQ(command.back(), "/dev/sdb1");
    EXPECT_EQ(readFile(root / "cam" / "config.bin"), "my settings");
    EXPECT_FALSE(std::filesystem::exists(root / "cam" / "old.mp4"));

    EXPECT_EQ(window->selectedUSBDisk()->deviceFilePath(), "sdb1");
    EXPECT_EQ(window->ui().usbDiskCombo->currentText(), "[3.7 GB] TOVIK <Card Reader>");
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->windowTitle(), TKLocalizedString("msg.format_complete"));
    EXPECT_EQ(alert->informativeText(), "[3.7 GB] TOVIK <Card Reader>");
    EXPECT_FALSE(window->ui().progressView->bar()->isVisible());
    EXPECT_TRUE(window->isVisible());
    alert->accept();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window->isVisible(); }));
}

TEST_F(FormatWindowTest, CardWithoutSettingsGetsTheDefaultRecord)
{
    service->volumes = {DisksVolumeFixture("sdb1").label("NEW").mountedAt(card("new"))};
    const auto window = openWindow();
    QMessageBox *alert = formatAndWait(*window);
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->windowTitle(), TKLocalizedString("msg.format_complete"));
    EXPECT_EQ(std::filesystem::file_size(root / "new" / "config.bin"), sizeof(FILEDATA));
}

TEST_F(FormatWindowTest, FailedCommandsAlertWithTheirMessageAndKeepTheWindowOpen)
{
    service->volumes = {DisksVolumeFixture("sdb1").label("CAM").mountedAt(card("cam", "kept"))};
    runner->answer = {TKCommandError::kFailed, "mkfs.fat: unable to open /dev/sdb1: Device or resource busy"};
    const auto window = openWindow();

    QMessageBox *alert = formatAndWait(*window);
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->windowTitle(), TKLocalizedString("msg.cannot_format"));
    EXPECT_EQ(alert->informativeText(), "[7.5 GB] CAM <Card Reader>\n"
                                        "Error:mkfs.fat: unable to open /dev/sdb1: Device or resource busy");
    EXPECT_EQ(window->selectedUSBDisk()->mountedURL(), (root / "cam").string()) << "mounted again";
    EXPECT_EQ(readFile(root / "cam" / "config.bin"), "kept");
    alert->accept();
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->ui().formatButton->isEnabled());

    runner->answer = {TKCommandError::kWriteProtected, "mkfs.fat: Read-only file system"};
    alert = formatAndWait(*window);
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->informativeText(), "[7.5 GB] CAM <Card Reader>\n" + TKLocalizedString("msg.write_protected_disk"));
}

TEST_F(FormatWindowTest, StaysOpenAndLockedWhileTheCommandRuns)
{
    service->volumes = {DisksVolumeFixture("sdb1").label("CAM").mountedAt(card("cam")).size(31'914'983'424),
                        DisksVolumeFixture("sdc1").label("NO NAME").mountedAt(card("other")).model("")};
    std::promise<void> release;
    runner->beforeAnswer = release.get_future().share();
    const auto window = openWindow();
    QSignalSpy finished(window.get(), &VRDFormatWindowController::formatFinished);
    window->ui().formatButton->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->ui().progressView->messageField()->text() == "formatting..."; }));

    EXPECT_FALSE(window->ui().formatButton->isEnabled());
    EXPECT_FALSE(window->ui().cancelButton->isEnabled());
    EXPECT_FALSE(window->ui().usbDiskCombo->isEnabled());
    EXPECT_TRUE(window->ui().progressView->bar()->isVisible());
    EXPECT_EQ(runner->commands().size(), 1u);
    EXPECT_TRUE(saveScreenshot(*window, "format_window"));
    window->close();
    EXPECT_TRUE(window->isVisible());

    release.set_value();
    ASSERT_TRUE(finished.wait(5000));
    EXPECT_TRUE(window->ui().cancelButton->isEnabled());
}

} // namespace
