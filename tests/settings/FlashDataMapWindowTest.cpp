#include "config/FILEDATA.h"
#include "devicedata/VRDDriveInfoLog.h"
#include "settings/VRDConfigDocument.h"
#include "settings/VRDDriveInfoTableModel.h"
#include "settings/VRDSettingForFlashDataViewController.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

QWidget *mapWindow()
{
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->objectName() == "VRDMapWindowController" && window->isVisible())
            return window;
    return nullptr;
}

// The real map window on a display: a double-click opens it beside the
// window that holds the tab, and hiding the tab closes it.
TEST(FlashDataMapWindow, OpensBesideTheSettingsWindowAndGoesWithTheTab)
{
    const std::filesystem::path folder = std::filesystem::path(std::getenv("TOVIK_TEST_TMP")) / "flashdata_map";
    std::filesystem::create_directories(folder);
    VRDDriveInfoRecord record;
    record.latitudeWhole = 3734;
    record.latitudeFraction = 5678;
    record.longitudeWhole = 12700;
    record.longitudeFraction = 12;
    const std::vector<std::uint8_t> bytes = VRDDriveInfoLog::toBytes({record});
    std::ofstream(folder / "tovik_000.drv", std::ios::binary)
        .write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));

    VRDSettingForFlashDataViewController tab;
    tab.setM_FlashDataFilePath(QString::fromStdString((folder / "tovik_000.drv").string()));
    tab.setGeometry(100, 100, 700, 400);
    tab.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tab));
    QSignalSpy loaded(&tab, &VRDSettingForFlashDataViewController::flashDataLoaded);
    VRDConfigDocument settings;
    tab.setFileData(&settings);
    ASSERT_TRUE(loaded.wait(5000));

    tab.doubleClickTableRow(tab.model().index(0, 0));
    QWidget *map = mapWindow();
    ASSERT_NE(map, nullptr);
    const QRect frame = tab.frameGeometry();
    EXPECT_EQ(map->pos(), QPoint(frame.x() + frame.width(), frame.y()));

    tab.onHide();
    EXPECT_EQ(mapWindow(), nullptr);
}

} // namespace
