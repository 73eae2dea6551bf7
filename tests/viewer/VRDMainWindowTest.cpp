#include "settings/VRDSettingController.h"
#include "ui_VRDMainWindow.h"
#include "viewer/CustomWindow.h"
#include "viewer/VRDAppDelegate.h"
#include "viewer/VRDLanguagePreference.h"
#include "viewer/VRDLoadingController.h"
#include "viewer/VRDMediaTableModel.h"
#include "viewer/VRDPlayInfo.h"
#include "viewer/VRDTimeSetupController.h"
#include "viewer/VRDWindowLayout.h"
#include "widgets/TKInterfaceHelpers.h"

#include <QFile>
#include <QHash>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QMessageBox>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <tuple>

namespace {

struct MainWindowFixture : ::testing::Test {
    MainWindowFixture()
    {
        app.applicationDidFinishLaunching();
        app.window().show();
        layoutNow();
    }

    void layoutNow() { QCoreApplication::processEvents(); }

    bool shown(QWidget *widget) { return widget->isVisibleTo(&app.window()); }

    // Wired as the application wires it: the settings window comes from beside the viewer.
    static VRDAppDelegate::Options options()
    {
        VRDAppDelegate::Options options;
        options.loadMapPage = false;
        options.makeSettingsWindow = [](QWidget *parent) { return new VRDSettingController(parent); };
        return options;
    }

    VRDAppDelegate app{options()};
    Ui::VRDMainWindow &ui = app.ui();
};

// WCAG contrast ratio of two colours.
double contrast(const QColor &a, const QColor &b)
{
    const auto luminance = [](const QColor &c) {
        const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The widget's text against its background as drawn by its window: the most common pixel is the
// background, the pixel farthest from it in contrast is the text's colour.
double drawnTextContrast(QWidget *text)
{
    QWidget *window = text->window();
    const QImage picture = window->grab(QRect(text->mapTo(window, QPoint(0, 0)), text->size())).toImage();
    QHash<QRgb, int> counts;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            ++counts[picture.pixel(x, y)];
    QRgb background = 0;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > most)
            std::tie(background, most) = std::pair{it.key(), it.value()};
    double best = 1.0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        best = std::max(best, contrast(QColor(background), QColor(it.key())));
    return best;
}

// Every text drawn straight onto the dialog's background: labels, check boxes, radio buttons.
void expectEveryTextReadable(QWidget *dialog)
{
    QList<QWidget *> texts;
    for (QLabel *label : dialog->findChildren<QLabel *>())
        if (!label->text().trimmed().isEmpty() && label->pixmap().isNull())
            texts.append(label);
    for (QAbstractButton *button : dialog->findChildren<QAbstractButton *>())
        if ((qobject_cast<QCheckBox *>(button) || qobject_cast<QRadioButton *>(button)) && !button->text().isEmpty())
            texts.append(button);
    int checked = 0;
    for (QWidget *text : texts) {
        if (!text->isVisible())
            continue;
        EXPECT_GE(drawnTextContrast(text), 4.5) << text->objectName().toStdString();
        ++checked;
    }
    EXPECT_GT(checked, 0);
}

} // namespace

TEST(VRDAppDelegateGeometry, LaunchFrameIsCentredInTheAvailableArea)
{
    EXPECT_EQ(VRDAppDelegate::minWindowFrame(QRect(0, 0, 1280, 800)), QRect(130, 80, 1020, 640));
    EXPECT_EQ(VRDAppDelegate::minWindowFrame(QRect(1920, 30, 1920, 1050)),
              QRect(1920 + 450, 30 + 205, 1020, 640));
}

TEST_F(MainWindowFixture, StartsWindowedWithTheListInsideItsMargins)
{
    EXPECT_EQ(app.window().size(), QSize(1020, 640));
    EXPECT_EQ(app.window().initialFrame(), app.window().geometry());
    EXPECT_EQ(app.mediaIndex(), -1);
    EXPECT_EQ(app.volume(), 70);
    EXPECT_EQ(ui.volumeSlider->value(), 70);
    // The boxes fit the launch frame with their margins.
    EXPECT_EQ(ui._bodyRightBox->geometry().right(), 1020 - 10 - 1);
    EXPECT_EQ(ui._bodyBox->height() - ui._bodyLeftBox->geometry().bottom() - 1, 8);
    EXPECT_TRUE(shown(ui.mediaListTableView));
    EXPECT_FALSE(shown(ui._mapContainerView));
    EXPECT_FALSE(shown(ui._fullScreenStripRow));
    EXPECT_EQ(ui.recordButtonImageView->toolTip(), "Recordings");
}

TEST_F(MainWindowFixture, FullScreenHidesTheSideAndReturnsToTheLaunchFrame)
{
    const QRect launch = app.window().geometry();
    app.clickMapViewButton();
    app.window().resize(1300, 800);
    app.window().enterFullscreen();
    layoutNow();
    EXPECT_TRUE(app.window().isFullScreen());
    EXPECT_FALSE(shown(ui._headBox));
    EXPECT_FALSE(shown(ui._bodyRightBox));
    EXPECT_FALSE(shown(ui._gsensorBox));
    EXPECT_FALSE(shown(ui._mediaControlBox));
    EXPECT_TRUE(shown(ui._fullScreenStripRow));
    EXPECT_EQ(ui._mediaControlBoxForFullScreen->height(), 36);
    EXPECT_EQ(ui._bodyLeftBox->x(), 0);

    // Switching the panel in full screen takes effect at once.
    app.clickMediaListViewButton();
    EXPECT_EQ(app.windowLayout().rightViewMode(), VRDWindowLayout::MediaList);

    QTest::keyClick(&app.window(), Qt::Key_Escape);
    layoutNow();
    EXPECT_FALSE(app.window().isFullScreen());
    EXPECT_EQ(app.window().geometry(), launch);
    EXPECT_TRUE(shown(ui._headBox));
    EXPECT_TRUE(shown(ui._gsensorBox));
    EXPECT_TRUE(shown(ui.mediaListTableView));
    EXPECT_FALSE(shown(ui._mapContainerView));
    EXPECT_FALSE(shown(ui._fullScreenStripRow));

    // Escape in windowed mode does nothing special.
    QTest::keyClick(&app.window(), Qt::Key_Escape);
    EXPECT_FALSE(app.window().isFullScreen());
}

TEST_F(MainWindowFixture, SideButtonsSwitchBetweenListAndMap)
{
    const QImage listActive = ui.recordButtonImageView->icon().pixmap(167, 32).toImage();
    app.clickMapViewButton();
    layoutNow();
    EXPECT_EQ(app.windowLayout().rightViewMode(), VRDWindowLayout::Map);
    EXPECT_TRUE(shown(ui._mapContainerView));
    EXPECT_FALSE(shown(ui.mediaListTableView));
    EXPECT_EQ(ui._mapContainerBottomView->height(), 57);
    EXPECT_NE(ui.recordButtonImageView->icon().pixmap(167, 32).toImage(), listActive);

    QTest::mouseClick(ui.recordButtonImageView, Qt::LeftButton);
    EXPECT_EQ(app.windowLayout().rightViewMode(), VRDWindowLayout::MediaList);
    EXPECT_TRUE(shown(ui.mediaListTableView));
    EXPECT_EQ(ui.recordButtonImageView->icon().pixmap(167, 32).toImage(), listActive);
}

TEST_F(MainWindowFixture, OpeningAFolderStopsPlayAndShowsTheListWhenTheWalkIsDone)
{
    QTemporaryDir folder;
    for (const char *name : {"alwa_20230115_143005_F.MP4", "alwa_20230115_143005_R.MP4"}) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QSignalSpy stops(&app, &VRDAppDelegate::stopPlayRequested);
    QSignalSpy reset(&app.mediaTableModel(), &QAbstractItemModel::modelReset);
    app.clickMapViewButton();
    app.openMediaDirectory(folder.path());
    EXPECT_EQ(stops.size(), 1);
    ASSERT_TRUE(reset.wait(5000));
    EXPECT_EQ(app.mediaTableModel().rowCount(), 2);
    EXPECT_EQ(app.windowLayout().rightViewMode(), VRDWindowLayout::MediaList);
    EXPECT_TRUE(shown(ui.mediaListTableView));

    QSignalSpy play(&app, &VRDAppDelegate::changeAndPlayRequested);
    emit ui.mediaListTableView->doubleClicked(app.mediaTableModel().index(1, 3));
    ASSERT_EQ(play.size(), 1);
    EXPECT_EQ(play.first().first().toInt(), 1);
}

TEST_F(MainWindowFixture, PlayStateDrivesTheControls)
{
    app.playInfo().setSpeed(2.0);
    EXPECT_EQ(ui.speedTextButton->text(), "2.0x");
    app.playInfo().setScale(0.5);
    EXPECT_EQ(ui.sizeTextButton->text(), "0.50x");
    const QString playTip = ui.playButton->toolTip();
    app.playInfo().setIsPlaying(true);
    EXPECT_EQ(ui.playButton->imageName(), "icon_pause_n");
    EXPECT_TRUE(ui.playButton->toolTip().startsWith("Pause")) << ui.playButton->toolTip().toStdString();
    app.playInfo().setIsPlaying(false);
    EXPECT_EQ(ui.playButton->imageName(), "icon_play_n");
    EXPECT_EQ(ui.playButton->toolTip(), playTip);
    app.playInfo().setPosition(1.2);
    EXPECT_EQ(ui.videoPositionSlider->value(), ui.videoPositionSlider->maximum());
    EXPECT_EQ(ui.videoPositionSliderForFullScreen->value(), ui.videoPositionSlider->maximum());
    app.setVolume(120);
    EXPECT_EQ(ui.volumeSlider->value(), 120);
}

TEST_F(MainWindowFixture, LoadingIndicatorStepsAndHides)
{
    VRDLoadingController &loading = app.loadingController();
    loading.showLoading("Loading...");
    EXPECT_TRUE(shown(ui.progressIndicator));
    EXPECT_FALSE(loading.stopVideoLoadingView());
    loading.hideLoading();
    // The first step still shows before the indicator hides.
    QTest::qWait(VRDLoadingController::kStepMs + 150);
    EXPECT_DOUBLE_EQ(loading.progress(), 2.0);
    EXPECT_FALSE(shown(ui.progressIndicator));

    loading.showLoading("Loading...");
    loading.updateLoadingWindow(15);
    loading.updateLoadingWindow(15);
    EXPECT_DOUBLE_EQ(loading.progress(), 4.0);
    // A full run ends after 50 steps.
    for (int step = 2; step < 50; ++step)
        loading.updateLoadingWindow(15);
    EXPECT_TRUE(loading.stopVideoLoadingView());
    EXPECT_FALSE(shown(ui.progressIndicator));
}

TEST(VRDLanguagePreferenceTest, LogsTheStoredListThenPrefersEnglish)
{
    QTemporaryDir folder;
    QSettings settings(folder.filePath("settings.ini"), QSettings::IniFormat);
    settings.setValue(VRDLanguagePreference::kKey, QStringList{"de", "fr"});
    VRDLanguagePreference::logAndPreferEnglish(settings);
    EXPECT_EQ(settings.value(VRDLanguagePreference::kKey).toStringList(), QStringList{"en"});
    VRDLanguagePreference::logAndPreferEnglish(settings);
    EXPECT_EQ(settings.value(VRDLanguagePreference::kKey).toStringList(), QStringList{"en"});
}

TEST(CustomWindowDrag, TopStopsAtTheAvailableAreaSidewaysIsFree)
{
    const QRect available(0, 28, 1280, 772);
    EXPECT_EQ(CustomWindow::clampedDragOrigin({100, 10}, available), QPoint(100, 28));
    EXPECT_EQ(CustomWindow::clampedDragOrigin({-400, 300}, available), QPoint(-400, 300));
}

TEST_F(MainWindowFixture, SettingsAndClockButtonsOpenOneDialogAtATime)
{
    QTest::mouseClick(ui.settingsButton, Qt::LeftButton);
    auto settings = app.window().findChildren<VRDSettingController *>();
    ASSERT_EQ(settings.size(), 1);
    EXPECT_TRUE(settings.front()->isVisible());

    app.showSettingPanel();
    EXPECT_EQ(app.window().findChildren<VRDSettingController *>().size(), 1)
        << "asking again brings the open window forward";

    settings.front()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(app.window().findChildren<VRDSettingController *>().isEmpty());

    QTest::mouseClick(ui.timeSetupButton, Qt::LeftButton);
    const auto clocks = app.window().findChildren<VRDTimeSetupController *>();
    ASSERT_EQ(clocks.size(), 1);
    clocks.front()->close();
}

TEST_F(MainWindowFixture, AlertsAndDialogsOverTheDarkWindowAreReadable)
{
    TKShowAlert(&app.window(), "The recording could not be played.", "The file may be damaged.");
    auto alerts = app.window().findChildren<QMessageBox *>();
    ASSERT_EQ(alerts.size(), 1);
    QTest::qWait(50);
    expectEveryTextReadable(alerts.front());
    alerts.front()->close();

    app.showSettingPanel();
    QTest::qWait(50);
    expectEveryTextReadable(app.window().findChildren<VRDSettingController *>().front());
    app.showTimeSetupPanel();
    QTest::qWait(50);
    expectEveryTextReadable(app.window().findChildren<VRDTimeSetupController *>().front());

    // The window's own coloured fields keep their colours.
    const QImage x = ui.gsensorXField->grab().toImage();
    bool red = false;
    for (int px = 0; px < x.width() && !red; ++px)
        for (int py = 0; py < x.height() && !red; ++py)
            red = QColor(x.pixel(px, py)).red() > 200 && QColor(x.pixel(px, py)).green() < 150;
    EXPECT_TRUE(red);
}
