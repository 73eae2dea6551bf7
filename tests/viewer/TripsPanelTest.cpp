// The drives panel of the main window: the demo card's drives appear as time
// lines, a click plays that moment, and a chosen drive's route is drawn on
// the map coloured by speed. Saves pictures for a person to look at.
#include "WebPageScript.h"
#include "Screenshot.h"

#include "ui_VRDMainWindow.h"
#include "viewer/VRDAppDelegate.h"
#include "viewer/VRDDualPlaybackController.h"
#include "viewer/VRDMediaTableModel.h"
#include "viewer/VRDPlayInfo.h"
#include "viewer/VRDTripsController.h"
#include "viewer/VRDTripsIndexer.h"
#include "viewer/VRDTripsView.h"
#include "widgets/TKMapPage.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <gtest/gtest.h>

#include <memory>

namespace {

QString makeCard(const QString &name, const QStringList &options)
{
    const QString card = QDir(qEnvironmentVariable("TOVIK_TEST_TMP")).filePath(name);
    QDir(card).removeRecursively();
    QProcess generator;
    generator.start(qEnvironmentVariable("TOVIK_BUILD_DIR") + "/demo/tovik-demo-card", QStringList{card} + options);
    return generator.waitForFinished(120000) && generator.exitCode() == 0 ? card : QString();
}

QString demoCard()
{
    return makeCard("trips-panel-card", {"--duration", "4", "--width", "320", "--height", "180", "--fps", "10"});
}

bool saveScreen(QWidget &window, const QString &name)
{
    // The screen, not the widget: a web view draws outside the widget's own painting.
    const QRect frame = window.geometry();
    const QString folder = qEnvironmentVariable("TOVIK_BUILD_DIR") + "/screenshots";
    QDir().mkpath(folder);
    return window.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height()).save(folder + "/" + name + ".png");
}

int lastDriveRow(const VRDTripsView &view)
{
    int row = -1;
    for (int i = 0; i < static_cast<int>(view.trips().size()); ++i) {
        if (view.trips()[static_cast<std::size_t>(i)].kind == VRDTrip::Kind::Drive)
            row = i;
    }
    return row;
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

// The whole window (with its map page) on the demo card, its drives read.
class TripsPanelOnDemoCard : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString card = demoCard();
        ASSERT_FALSE(card.isEmpty()) << "tovik-demo-card failed";
        VRDAppDelegate::Options options;
        options.silentAudio = true;
        viewer = std::make_unique<VRDAppDelegate>(options);
        viewer->applicationDidFinishLaunching();
        viewer->window().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&viewer->window()));
        QSignalSpy ready(&viewer->tripsController().indexer(), &VRDTripsIndexer::tripsReady);
        viewer->openMediaDirectory(card);
        ASSERT_TRUE(ready.wait(30000));
    }

    std::unique_ptr<VRDAppDelegate> viewer;
};

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

TEST_F(TripsPanelOnDemoCard, DrivesOnTheTimeLinesAndTheirRouteOnTheMap)
{
    VRDAppDelegate &app = *viewer;
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
    }, 45000)) << "a loaded machine may take long to start the web engine";
    QTest::qWait(1500);
    EXPECT_TRUE(saveScreen(app.window(), "trips-map"));

    // A click on the drive's time line plays that moment of its recording.
    app.clickTripsViewButton();
    QSignalSpy started(&app.playback(), &VRDDualPlaybackController::playbackStarted);
    const QRect row(0, 26 + secondDrive * VRDTripsView::kRowHeight, view.width(), VRDTripsView::kRowHeight);
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(view.width() / 2, row.top() + 20 + 6 + 8));
    ASSERT_TRUE(started.wait(15000));
    EXPECT_TRUE(app.mediaList().mediaAtIndex(static_cast<std::size_t>(started[0][0].toLongLong()))->path().ends_with("_F.MP4"));
}

TEST_F(TripsPanelOnDemoCard, AClickOnTheRouteOnTheMapPlaysThatMomentAndThePlayHeadFollows)
{
    VRDAppDelegate &app = *viewer;
    VRDTripsView &view = *app.ui().tripsView;
    QWebEngineView *web = app.window().findChild<QWebEngineView *>("mapWebView");
    ASSERT_NE(web, nullptr);
    QWebEnginePage &page = *web->page();

    // One recording played from the list: its drive is chosen and the whole
    // route fits the map panel.
    app.clickMapViewButton();
    QSignalSpy started(&app.playback(), &VRDDualPlaybackController::playbackStarted);
    const int driveRow = lastDriveRow(view);
    ASSERT_GE(driveRow, 0);
    const VRDTrip drive = view.trips()[static_cast<std::size_t>(driveRow)];
    ASSERT_FALSE(drive.stretches.empty());
    app.playMoment(QFile::decodeName(QByteArray::fromStdString(drive.recordings.front())), 0.0);
    ASSERT_TRUE(started.wait(15000));
    EXPECT_EQ(view.selectedRow(), driveRow) << "the drive that plays is chosen";
    ASSERT_TRUE(QTest::qWaitFor([&] { return evaluate(page, "tovikRoutePointCount() > 0 && tovikTripSegmentCount() > 0").toBool(); }, 15000));
    QTest::qWait(1000);
    EXPECT_TRUE(evaluate(page, "tovikRouteInView() && tovikMap.getBounds().contains(tovikTrip.getBounds())").toBool())
        << "the recording and its drive lie inside the panel";
    EXPECT_EQ(evaluate(page, "tovikTripEventCount()").toInt(), static_cast<int>(drive.events.size()));
    EXPECT_TRUE(saveScreen(app.window(), "trips-map-playing"));

    // A click on the drive's route three quarters along plays the moment there.
    const std::vector<VRDTripPoint> &stretch = drive.stretches.back();
    const VRDTripPoint &target = stretch[stretch.size() * 3 / 4];
    const QVariantList at = evaluate(page, QStringLiteral("tovikPagePoint(%1, %2)").arg(target.latitude, 0, 'f', 7).arg(target.longitude, 0, 'f', 7)).toList();
    ASSERT_EQ(at.size(), 2);
    QSignalSpy moment(&app.tripsController(), &VRDTripsController::momentRequested);
    evaluate(page, QStringLiteral("document.elementFromPoint(%1, %2).dispatchEvent(new MouseEvent('click', "
                                  "{clientX: %1, clientY: %2, bubbles: true}))")
                       .arg(at[0].toDouble())
                       .arg(at[1].toDouble()));
    // The click may come back while the script call is still being answered.
    ASSERT_TRUE(moment.count() > 0 || moment.wait(10000)) << "the page's click reached the drives";
    const QString expectedPath = QFile::decodeName(QByteArray::fromStdString(drive.recordings[target.recording]));
    EXPECT_EQ(moment[0][0].toString(), expectedPath);
    // A pixel of the map is some metres: the moment is within a second or two.
    EXPECT_NEAR(moment[0][1].toDouble(), target.offsetSeconds, 2.0);
    // The recording of that moment plays (it may be the one already playing).
    ASSERT_TRUE(QTest::qWaitFor([&] {
        const auto playing = app.mediaIndex() >= 0 ? app.mediaList().mediaAtIndex(static_cast<std::size_t>(app.mediaIndex())) : nullptr;
        return playing && QString::fromStdString(playing->path()) == expectedPath && app.playInfo().isPlaying();
    }, 15000));
    // The play head stands on the drive's time line at that moment.
    const VRDTripBlock &block = drive.blocks[target.recording];
    const QRectF line = view.timelineRect(driveRow);
    const double expectedX = line.left() + (block.startUtc + moment[0][1].toDouble() - drive.startUtc)
            / std::max(drive.durationSeconds(), 1.0) * line.width();
    ASSERT_TRUE(QTest::qWaitFor([&] { return view.playheadRow() == driveRow && view.playheadX()
                                        && std::abs(*view.playheadX() - expectedX) < line.width() * 0.1; }, 10000))
        << "play head at " << view.playheadX().value_or(-1) << ", expected near " << expectedX;
    // Chosen while the panel was hidden, the drive is in view once it shows.
    app.clickTripsViewButton();
    QTest::qWait(300);
    const QRect playingRow(0, 26 + driveRow * VRDTripsView::kRowHeight, view.width(), VRDTripsView::kRowHeight);
    EXPECT_TRUE(view.visibleRegion().boundingRect().contains(playingRow))
        << "visible " << view.visibleRegion().boundingRect().top() << ".." << view.visibleRegion().boundingRect().bottom();
    EXPECT_TRUE(saveScreenshot(app.window(), "trips-playhead"));
}

TEST(TripsPanel, DrivesShowWhileALargeCardIsReadAndTheListWorksMeanwhile)
{
    const QString card = makeCard("trips-fill-card", {"--no-video", "--front-only", "--count", "1500", "--duration", "60"});
    ASSERT_FALSE(card.isEmpty()) << "tovik-demo-card failed";
    VRDAppDelegate::Options options;
    options.silentAudio = true;
    options.loadMapPage = false;
    VRDAppDelegate app(options);
    app.applicationDidFinishLaunching();
    app.window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&app.window()));
    VRDTripsIndexer &indexer = app.tripsController().indexer();
    indexer.setUpdateInterval(std::chrono::milliseconds(20));
    app.clickTripsViewButton();
    VRDTripsView &view = *app.ui().tripsView;

    QSignalSpy finished(&indexer, &VRDTripsIndexer::tripsReady);
    bool shownWhileReading = false;
    bool listedWhileReading = false;
    QString statusWhileReading;
    QObject::connect(&indexer, &VRDTripsIndexer::partialTripsReady, &app, [&] {
        if (!indexer.isRunning() || view.trips().empty())
            return;
        if (!shownWhileReading) {
            // Opening a folder shows its list; the drives are a click away.
            app.clickTripsViewButton();
            saveScreenshot(app.window(), "trips-filling");
        }
        shownWhileReading = true;
        statusWhileReading = view.status();
        listedWhileReading = listedWhileReading || app.mediaTableModel().rowCount() > 0;
    });
    app.openMediaDirectory(card);
    ASSERT_TRUE(finished.wait(120000));
    EXPECT_TRUE(shownWhileReading) << "drives showed before the card was read";
    EXPECT_TRUE(statusWhileReading.contains("of 1500")) << statusWhileReading.toStdString();
    EXPECT_TRUE(listedWhileReading) << "the recordings were listed meanwhile";
    std::size_t recordings = 0;
    for (const VRDTrip &trip : view.trips())
        recordings += trip.recordings.size();
    EXPECT_EQ(recordings, 1500u);
    EXPECT_TRUE(view.status().contains("drives,")) << view.status().toStdString();
}
