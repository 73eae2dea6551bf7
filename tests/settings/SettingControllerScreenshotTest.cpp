#include "TabRecordPattern.h"

#include <gtest/gtest.h>

namespace {

// Pictures of the window with each of its editing tabs, for a person to look
// at; the check is that every tab fits the window without being squeezed.
// The drive-information tab has its own picture, taken on the demo card.
TEST(SettingControllerScreenshot, EveryTabFitsTheWindow)
{
    const auto window = openSettingsWindow();
    const char *const names[] = {"video", "basic", "gps", "aux", "motion", "adas", "audio"};
    for (int index = 0; index < VRDSettingTabFactory::kDriveInfoTabIndex; ++index) {
        const QString name = QString("settings_") + names[index];
        window->changeViewController(index);
        dismissAlerts(window.get());
        QWidget *tab = window->targetController();
        ASSERT_NE(tab, nullptr) << name.toStdString();
        EXPECT_TRUE(saveScreenshot(*window, name)) << name.toStdString();
        EXPECT_GE(tab->width(), tab->minimumSizeHint().width()) << name.toStdString() << " in a window of width "
                                                                << window->width();
        EXPECT_GE(tab->height(), tab->minimumSizeHint().height()) << name.toStdString();
    }
}

} // namespace
