#include "SettingControllerFakes.h"

#include "settings/VRDSettingTabFactory.h"

#include <QDir>
#include <QLayout>
#include <QPixmap>
#include <gtest/gtest.h>

namespace {

// Pictures of the window with each of its own tabs, for a person to look
// at; the check is that every tab fits the window without being squeezed.
TEST(SettingControllerScreenshot, EveryTabFitsTheWindow)
{
    VRDSettingController::Environment environment;
    environment.diskService = std::make_shared<FakeDiskService>();
    environment.tabFactory = std::make_shared<VRDSettingTabFactory>();
    VRDSettingController controller(std::move(environment));
    controller.show();
    const QString folder = QDir(qEnvironmentVariable("TOVIK_BUILD_DIR")).filePath("screenshots");
    ASSERT_TRUE(QDir().mkpath(folder));

    const std::pair<int, const char *> tabs[] = {{0, "settings_video.png"}, {2, "settings_gps.png"}};
    for (const auto &[index, file] : tabs) {
        controller.changeViewController(index);
        dismissAlerts(&controller);
        QWidget *tab = controller.targetController();
        ASSERT_NE(tab, nullptr);
        controller.layout()->activate();
        QCoreApplication::processEvents();
        EXPECT_GE(tab->width(), tab->minimumSizeHint().width()) << file << " in a window of width " << controller.width();
        EXPECT_GE(tab->height(), tab->minimumSizeHint().height()) << file;
        EXPECT_TRUE(controller.grab().save(QDir(folder).filePath(file))) << file;
    }
}

} // namespace
