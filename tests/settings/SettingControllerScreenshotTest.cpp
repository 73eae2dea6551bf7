#include "TabRecordPattern.h"

#include <QDialog>
#include <QLabel>

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

// The loading sheet that tabs show while they read or write a file.
TEST(SettingControllerScreenshot, LoadingSheet)
{
    const auto window = openSettingsWindow();
    window->showLoading("Loading...");
    window->updateLoadingWindow(VRDSettingController::kLoadingLimitSeconds);
    QDialog *sheet = nullptr;
    for (QDialog *dialog : window->findChildren<QDialog *>())
        if (dialog->isVisible() && dialog->findChild<QLabel *>("messageField") != nullptr)
            sheet = dialog;
    ASSERT_NE(sheet, nullptr);
    EXPECT_TRUE(saveScreenshot(*sheet, "settings_loading_sheet"));
    EXPECT_EQ(sheet->findChild<QLabel *>("messageField")->text(), "Loading...");
    window->hideLoading();
    window->updateLoadingWindow(VRDSettingController::kLoadingLimitSeconds);
    EXPECT_FALSE(window->isLoadingSheetVisible());
}

} // namespace
