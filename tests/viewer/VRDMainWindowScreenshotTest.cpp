// Opens the demo card in the main window on a real display and saves the
// window as PNG files under <build>/screenshots for a person to look at.
#include "ViewerOnCard.h"
#include "ui_VRDMainWindow.h"
#include "viewer/VRDAppDelegate.h"
#include "viewer/VRDDualPlaybackController.h"
#include "viewer/VRDGraphSwitch.h"
#include "viewer/VRDSpeedGraphView.h"
#include "viewer/VRDMediaTableModel.h"
#include "widgets/TKMapPage.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QString demoCard()
{
    const QString card = QDir(qEnvironmentVariable("TOVIK_TEST_TMP")).filePath("screenshot-card");
    QDir(card).removeRecursively();
    const QString generator = qEnvironmentVariable("TOVIK_BUILD_DIR") + "/demo/tovik-demo-card";
    if (QFile::exists(generator)) {
        QProcess process;
        process.start(generator, {card});
        if (process.waitForFinished(120000) && process.exitCode() == 0)
            return card;
    }
    // Without the generator: empty files with recording names.
    QDir().mkpath(card);
    for (const char *name : {"alwa_20240315_081200_F.MP4", "alwa_20240315_081200_R.MP4",
                             "motion_20240315_081220_F.MP4", "event_20240315_081230_R.MP4"}) {
        QFile file(QDir(card).filePath(name));
        if (!file.open(QIODevice::WriteOnly))
            return {};
    }
    return card;
}

void save(QWidget &window, const QString &name)
{
    const QString folder = qEnvironmentVariable("TOVIK_BUILD_DIR") + "/screenshots";
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(window.grab().save(folder + "/" + name));
}

} // namespace

TEST(VRDMainWindowScreenshot, DemoCardInTheMainWindow)
{
    const QString card = demoCard();
    ASSERT_FALSE(card.isEmpty());

    VRDAppDelegate app{VRDAppDelegate::Options{}};
    ASSERT_TRUE(showViewerOnCard(app, card));
    EXPECT_GE(app.mediaTableModel().rowCount(), 4);
    app.ui().mediaListTableView->selectRow(4);
    QTest::qWait(1500);
    save(app.window(), "main-window.png");

    app.clickMapViewButton();
    QTest::qWait(2500);
    save(app.window(), "main-window-map.png");

    // Without a network (as here) the route shows on the grid with the scale bar.
    ASSERT_NE(app.mapPage(), nullptr);
    app.mapPage()->setRoute({{48.1372, 11.5755}, {48.1390, 11.5790}, {48.1420, 11.5830}, {48.1445, 11.5880},
                             {48.1490, 11.5902}});
    app.mapPage()->runScript("setLatLag('11.579000','48.139000')");
    QTest::qWait(2500);
    save(app.window(), "main-window-map-route.png");

    app.window().enterFullscreen();
    QTest::qWait(800);
    save(app.window(), "main-window-fullscreen.png");
    app.window().leaveFullscreen();
}

TEST(VRDMainWindowScreenshot, SpeedGraphOfADemoDrive)
{
    const QString card = demoCard();
    ASSERT_FALSE(card.isEmpty());

    VRDAppDelegate::Options options;
    options.loadMapPage = false;
    options.silentAudio = true;
    VRDAppDelegate app(options);
    ASSERT_TRUE(showViewerOnCard(app, card));

    app.graphSwitch().show(VRDViewerSettings::Graph::Speed);
    QSignalSpy started(&app.playback(), &VRDDualPlaybackController::playbackStarted);
    app.playMoment(QDir(card).filePath("alwa_20240316_091500_F.MP4"), 5.0);
    ASSERT_TRUE(started.wait(10000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !app.ui().speedGraphView->series().empty(); }, 5000));
    EXPECT_EQ(app.ui().speedGraphView->series().unit(), VRDSpeedSeries::Unit::KilometresPerHour);
    EXPECT_TRUE(app.ui().speedGraphView->isVisible());
    QTest::qWait(1500);
    save(app.window(), "main-window-speed-graph.png");
    app.graphSwitch().show(VRDViewerSettings::Graph::GSensor);
    QTest::qWait(300);
    save(app.window(), "main-window-gsensor-graph.png");
}
