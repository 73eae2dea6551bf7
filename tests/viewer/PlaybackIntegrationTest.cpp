// The player on real libmpv engines (no sound) over a small demo card.
#include "PlaybackTestFixture.h"

#include "player/VRDMediaEngine.h"
#include "ui_VRDMainWindow.h"
#include "viewer/VRDPlayInfo.h"
#include "viewer/VRDStillCapture.h"

#include <QImage>
#include <QScreen>
#include <QProcess>

namespace {

QString makeDemoCard(const QString &folder)
{
    QProcess generator;
    generator.start(qEnvironmentVariable("TOVIK_BUILD_DIR") + "/demo/tovik-demo-card",
                    {"--duration", "4", "--width", "320", "--height", "180", "--count", "4", folder});
    if (!generator.waitForFinished(60000) || generator.exitCode() != 0)
        return {};
    return folder;
}

TEST(PlaybackIntegration, DemoCardPlaysBothChannelsSeeksCapturesAndMovesOn)
{
    QTemporaryDir scratch(PlaybackFixture::folderTemplate());
    const QString card = makeDemoCard(scratch.filePath("card"));
    ASSERT_FALSE(card.isEmpty()) << "tovik-demo-card failed";

    auto dialogs = std::make_shared<ScriptedCaptureDialogs>();
    VRDAppDelegate::Options options;
    options.loadMapPage = false;
    options.silentAudio = true;
    options.captureDialogs = dialogs;
    VRDAppDelegate app(options);
    app.applicationDidFinishLaunching();
    app.window().show();
    app.openMediaDirectory(card);
    ASSERT_TRUE(QTest::qWaitFor([&] { return app.mediaList().count() == 4; }, 10000));

    VRDDualPlaybackController &playback = app.playback();
    VRDMediaEngine &engine = app.engine();
    QSignalSpy started(&playback, &VRDDualPlaybackController::playbackStarted);
    emit app.changeAndPlayRequested(0);
    ASSERT_TRUE(started.wait(10000));
    EXPECT_TRUE(engine.isPlaying());
    EXPECT_TRUE(engine.hasMedia(VRDMediaEngine::View::Sub));
    EXPECT_NE(app.ui().graphView->values(), nullptr);

    ASSERT_TRUE(QTest::qWaitFor([&] { return !app.ui().speedField->text().isEmpty(); }, 3000));
    const QString firstX = app.ui().gsensorXField->text();
    EXPECT_TRUE(QTest::qWaitFor([&] { return app.ui().gsensorXField->text() != firstX; }, 3000));
    EXPECT_TRUE(app.ui().speedField->text().endsWith("h"));

    playback.videoPositionSliderMoved(0.5);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !playback.moving(); }, 3000));
    EXPECT_NEAR(engine.position(), 0.6, 0.15);

    dialogs->savePath = scratch.filePath("still.jpg");
    QSignalSpy saved(&app.stillCapture(), &VRDStillCapture::captureSaved);
    app.stillCapture().captureVideo();
    ASSERT_TRUE(saved.wait(5000));
    EXPECT_EQ(QImage(dialogs->savePath).size(), QSize(320, 180)) << "the large view's picture alone";

    playback.jumpBackward();
    ASSERT_TRUE(QTest::qWaitFor([&] { return engine.time() < 1500; }, 2000)) << "less than 10 s in: the start";

    const qint64 first = playback.mediaIndex();
    started.clear();
    ASSERT_TRUE(started.wait(12000)) << "the end of the recording starts the next one";
    EXPECT_EQ(playback.mediaIndex(), first + 2);
}

} // namespace

namespace {

// A picture of the player at work, with the map, for people to look at.
TEST(PlaybackIntegration, ScreenshotWhilePlaying)
{
    QTemporaryDir scratch(PlaybackFixture::folderTemplate());
    const QString card = makeDemoCard(scratch.filePath("card"));
    ASSERT_FALSE(card.isEmpty()) << "tovik-demo-card failed";
    VRDAppDelegate::Options options;
    options.silentAudio = true;
    VRDAppDelegate app(options);
    app.applicationDidFinishLaunching();
    app.window().show();
    app.openMediaDirectory(card);
    ASSERT_TRUE(QTest::qWaitFor([&] { return app.mediaList().count() == 4; }, 10000));
    QSignalSpy started(&app.playback(), &VRDDualPlaybackController::playbackStarted);
    emit app.changeAndPlayRequested(0);
    ASSERT_TRUE(started.wait(10000));
    const QString folder = qEnvironmentVariable("TOVIK_BUILD_DIR") + "/screenshots";
    QDir().mkpath(folder);
    // The screen, not the widget: a web view draws outside the widget's own painting.
    const QRect frame = app.window().geometry();

    // After a swap the large view shows the rear picture, the small one the front.
    app.playback().swapPlayer();
    QTest::qWait(1800);
    EXPECT_TRUE(app.window().screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height())
                    .save(folder + "/playback_swapped.png"));

    app.clickMapViewButton();
    QTest::qWait(2500);
    EXPECT_TRUE(app.window().screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height())
                    .save(folder + "/playback.png"));
    EXPECT_NE(app.ui().sizeTextButton->text(), "0.00x");

}

} // namespace
