// The drives panel of the main window: the demo card's drives appear as time
// lines, a click plays that moment, and a chosen drive's route is drawn on
// the map coloured by speed. Saves pictures for a person to look at.
#include "Screenshot.h"

#include "ui_VRDMainWindow.h"
#include "viewer/VRDAppDelegate.h"
#include "viewer/VRDDualPlaybackController.h"
#include "viewer/VRDTripsController.h"
#include "viewer/VRDTripsIndexer.h"
#include "viewer/VRDTripsView.h"
#include "widgets/TKMapPage.h"

#include <QDir>
#include <QProcess>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <gtest/gtest.h>

namespace {

QString demoCard()
{
    const QString card = QDir(qEnvironmentVariable("TOVIK_TEST_TMP")).filePath("trips-panel-card");
    QDir(card).removeRecursively();
    QProcess generator;
    generator.start(qEnvironmentVariable("TOVIK_BUILD_DIR") + "/demo/tovik-demo-card",
                    {card, "--duration", "4", "--width", "320", "--height", "180", "--fps", "10"});
    return generator.waitForFinished(120000) && generator.exitCode() == 0 ? card : QString();
}

VRDTrip sampleDrive(double start)
{
    VRDTrip drive;
    drive.startUtc = start;
    drive.endUtc = start + 100;
    drive.recordings = {"/card/alwa_F.MP4", "/card/event_F.MP4"};
    drive.blocks = {{VRDTripBlock::Kind::Always, start, start + 60, true}, {VRDTripBlock::Kind::Event, start + 60, start + 100, false}};
    drive.events = {{start + 70, "/card/event_F.MP4", 10, 1.5, true}};
    return drive;
}

} // namespace

TEST(VRDTripsView, AClickOnATimeLineSelectsTheDriveAndAsksForThatMoment)
{
    VRDTripsView view;
    view.resize(300, 200);
    view.setTrips({sampleDrive(1710486720), sampleDrive(1710490320)});
    EXPECT_EQ(view.minimumHeight(), view.sizeHint().height()) << "the scroll area scrolls the rows";
    QSignalSpy selected(&view, &VRDTripsView::tripSelected);
    QSignalSpy moment(&view, &VRDTripsView::momentRequested);

    // Second row's time line, three quarters along: 15 s into the event file.
    const int lineY = 26 + VRDTripsView::kRowHeight + 20 + 6 + 8;
    const int x = 8 + (300 - 16) * 3 / 4;
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(x, lineY));
    ASSERT_EQ(selected.count(), 1);
    EXPECT_EQ(selected[0][0].toInt(), 1);
    ASSERT_EQ(moment.count(), 1);
    EXPECT_EQ(moment[0][0].toString(), "/card/event_F.MP4");
    EXPECT_NEAR(moment[0][1].toDouble(), 15.0, 0.5);

    // The title line selects without playing.
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(x, 26 + 10));
    EXPECT_EQ(view.selectedRow(), 0);
    EXPECT_EQ(moment.count(), 1);
}

TEST(TripsPanel, DemoCardDrivesOnTheTimeLinesAndTheirRouteOnTheMap)
{
    const QString card = demoCard();
    ASSERT_FALSE(card.isEmpty()) << "tovik-demo-card failed";
    VRDAppDelegate::Options options;
    options.silentAudio = true;
    VRDAppDelegate app(options);
    app.applicationDidFinishLaunching();
    app.window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&app.window()));
    QSignalSpy ready(&app.tripsController().indexer(), &VRDTripsIndexer::tripsReady);
    app.openMediaDirectory(card);
    ASSERT_TRUE(ready.wait(30000));
    app.clickTripsViewButton();
    VRDTripsView &view = *app.ui().tripsView;
    ASSERT_GE(view.trips().size(), 5u) << "the standard drive's spans and the morning's two drives and parking";
    EXPECT_TRUE(app.ui().tripsScrollArea->isVisible());
    EXPECT_FALSE(app.ui().mediaListTableView->isVisible());

    // The morning's second drive: the last drive of the card.
    int secondDrive = -1;
    for (int row = 0; row < static_cast<int>(view.trips().size()); ++row) {
        if (view.trips()[static_cast<std::size_t>(row)].kind == VRDTrip::Kind::Drive)
            secondDrive = row;
    }
    ASSERT_GE(secondDrive, 0);
    EXPECT_EQ(view.trips()[static_cast<std::size_t>(secondDrive)].events.size(), 1u);
    view.selectRow(secondDrive);
    QTest::qWait(800);
    EXPECT_TRUE(saveScreenshot(app.window(), "trips-panel"));

    app.clickMapViewButton();
    QWebEngineView *web = app.window().findChild<QWebEngineView *>("mapWebView");
    ASSERT_NE(web, nullptr);
    int segments = 0;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        web->page()->runJavaScript("tovikTripSegmentCount()", [&](const QVariant &answer) { segments = answer.toInt(); });
        return segments > 0;
    }, 15000));
    QTest::qWait(1500);
    // The screen, not the widget: a web view draws outside the widget's own painting.
    const QRect frame = app.window().geometry();
    const QString folder = qEnvironmentVariable("TOVIK_BUILD_DIR") + "/screenshots";
    QDir().mkpath(folder);
    EXPECT_TRUE(app.window().screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height())
                    .save(folder + "/trips-map.png"));

    // A click on the drive's time line plays that moment of its recording.
    app.clickTripsViewButton();
    QSignalSpy started(&app.playback(), &VRDDualPlaybackController::playbackStarted);
    const QRect row(0, 26 + secondDrive * VRDTripsView::kRowHeight, view.width(), VRDTripsView::kRowHeight);
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(view.width() / 2, row.top() + 20 + 6 + 8));
    ASSERT_TRUE(started.wait(15000));
    EXPECT_TRUE(app.mediaList().mediaAtIndex(static_cast<std::size_t>(started[0][0].toLongLong()))->path().ends_with("_F.MP4"));
}
