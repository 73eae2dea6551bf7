#include "Screenshot.h"

#include "demo/DemoCardFilesWriter.h"
#include "devicedata/VRDDriveInfoCsvWriter.h"
#include "disk/TKDiskService.h"
#include "settings/VRDDriveInfoTableModel.h"
#include "settings/VRDSettingController.h"
#include "settings/VRDSettingForFlashDataViewController.h"
#include "settings/VRDSettingTabFactory.h"
#include "ui_VRDSettingForFlashDataViewController.h"

#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

class NoDisks : public TKDiskService {
public:
    TKVolumeListing listVolumes() override { return {}; }
    TKStatus<> mount(const TKVolumeDescription &) override { return {}; }
    TKStatus<> unmount(const TKVolumeDescription &) override { return {}; }
    TKStatus<> setLabel(const TKVolumeDescription &, const std::string &) override { return {}; }
};

// The demo card's log as a user sees it: the settings window opened on the
// card's config.bin, the last tab chosen, the log read by itself.
TEST(FlashDataDemoCard, TheCardsLogFillsTheTabOfTheSettingsWindow)
{
    const std::filesystem::path card = std::filesystem::path(std::getenv("TOVIK_TEST_TMP")) / "flashdata_demo_card";
    std::filesystem::remove_all(card);
    std::filesystem::create_directories(card);
    ASSERT_FALSE(DemoCardFilesWriter::write(card.string()).has_value());

    VRDSettingController::Environment environment;
    environment.diskService = std::make_shared<NoDisks>();
    environment.settingFilePath = QString::fromStdString((card / "config.bin").string());
    VRDSettingController controller(std::move(environment));
    QSignalSpy settingsLoaded(&controller, &VRDSettingController::settingFileLoaded);
    controller.show();
    ASSERT_TRUE(settingsLoaded.wait(5000));

    controller.changeViewController(VRDSettingTabFactory::kDriveInfoTabIndex);
    auto *tab = qobject_cast<VRDSettingForFlashDataViewController *>(controller.targetController());
    ASSERT_NE(tab, nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return tab->flashDataAccess() && !tab->isBusy(); }, 5000));
    ASSERT_EQ(tab->model().rowCount(), DemoCardFilesWriter::kDriveInfoRecords);

    VRDDriveInfoLog log;
    ASSERT_FALSE(VRDDriveInfoLog::read((card / "DrvInfo" / "tovik_000.drv").string(), log).has_value());
    std::vector<std::string> titles;
    for (const QString &title : tab->columnNames())
        titles.push_back(title.toStdString());
    EXPECT_EQ(VRDDriveInfoCsvWriter::text(*tab->model().log(), titles), VRDDriveInfoCsvWriter::text(log, titles));

    controller.changeViewController(0);
    controller.changeViewController(VRDSettingTabFactory::kDriveInfoTabIndex);
    EXPECT_EQ(controller.targetController(), tab) << "made once and kept";

    tab->ui().tableView->selectRow(4);
    EXPECT_TRUE(saveScreenshot(controller, "settings_flash_data"));
}

} // namespace
