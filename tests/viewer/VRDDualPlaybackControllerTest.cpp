#include "PlaybackControllerFixture.h"

namespace {

using State = VRDMediaEngine::State;
using View = VRDMediaEngine::View;

TEST_F(PlaybackControllerFixture, StartReadsDataFirstThenPlaysBothAndRefusesAnotherStartMeanwhile)
{
    const qint64 rowA = rowOf("alwa_20230115_143005_F.MP4");
    QSignalSpy started(&playback, &VRDDualPlaybackController::playbackStarted);
    ASSERT_TRUE(playback.playAtIndex(rowA));
    EXPECT_TRUE(playback.waitingForPlayStart());
    EXPECT_TRUE(view.loadingShown);
    EXPECT_FALSE(playback.playAtIndex(rowOf("alwa_20230115_143105_F.MP4")));
    EXPECT_EQ(fileName(View::Main), "alwa_20230115_143005_F.MP4");
    EXPECT_EQ(fileName(View::Sub), "alwa_20230115_143005_R.MP4");
    EXPECT_FALSE(engine.calls().contains("play")) << "playback waits for the embedded data";

    ASSERT_TRUE(started.wait(3000));
    EXPECT_FALSE(playback.waitingForPlayStart());
    EXPECT_EQ(playback.mediaIndex(), rowA);
    EXPECT_TRUE(playInfo.isPlaying());
    EXPECT_EQ(playInfo.audioMediaDirection(), 0);
    EXPECT_EQ(view.selectedRow, rowA);
    EXPECT_NE(view.snapshot, nullptr);
    EXPECT_EQ(engine.heardView(), View::Main);
    EXPECT_FALSE(engine.isMuted());
    EXPECT_EQ(engine.volume(), 70);
    EXPECT_TRUE(view.audioToggleVisible);
    EXPECT_TRUE(view.mainVisible && view.subVisible);
    EXPECT_FALSE(view.rearInMain);
    EXPECT_FALSE(view.frontInSub);

    // A recording without twin plays alone.
    ASSERT_TRUE(start(rowOf("alwa_20230115_143205_F.MP4")));
    EXPECT_FALSE(engine.hasMedia(View::Sub));
    EXPECT_FALSE(view.audioToggleVisible);
    EXPECT_TRUE(view.mainVisible);
    EXPECT_FALSE(view.subVisible);
}

TEST_F(PlaybackControllerFixture, FailedOrStuckStartsAreToldAndDoNotBlockTheNextStart)
{
    QSignalSpy failures(&playback, &VRDDualPlaybackController::playFailed);
    engine.setAnswersRequests(false);
    ASSERT_TRUE(playback.playAtIndex(rowOf("alwa_20230115_143005_F.MP4")));
    ASSERT_TRUE(QTest::qWaitFor([this] { return engine.calls().contains("play"); }, 3000));
    engine.driveError("cannot play: unrecognized file format");
    EXPECT_FALSE(playback.waitingForPlayStart());
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures[0][0].toString().endsWith("alwa_20230115_143005_F.MP4"));
    EXPECT_EQ(view.alerts.size(), 1);

    // An unreadable twin is dropped; the chosen recording plays alone.
    engine.setAnswersRequests(true);
    ASSERT_TRUE(start(rowOf("alwa_20230115_143105_F.MP4")));
    engine.driveTwinError("cannot play");
    EXPECT_FALSE(engine.hasMedia(View::Sub));
    EXPECT_FALSE(view.subVisible);
    EXPECT_FALSE(view.audioToggleVisible);
    ASSERT_EQ(failures.size(), 2);
    EXPECT_TRUE(failures[1][0].toString().endsWith("alwa_20230115_143105_R.MP4")) << "the twin is named";

    // An engine that never answers is given up after the time-out.
    playback.setPendingStartTimeout(200);
    engine.setAnswersRequests(false);
    ASSERT_TRUE(playback.playAtIndex(rowOf("alwa_20230115_143005_R.MP4")));
    ASSERT_TRUE(failures.wait(3000));
    EXPECT_TRUE(failures.last()[0].toString().endsWith("alwa_20230115_143005_R.MP4"));
    EXPECT_FALSE(playback.waitingForPlayStart());
    EXPECT_FALSE(view.loadingShown);
    engine.setAnswersRequests(true);
    EXPECT_TRUE(start(rowOf("alwa_20230115_143105_F.MP4")));
}

TEST_F(PlaybackControllerFixture, PositionFollowsTheFirstAndEveryThirdTimeChange)
{
    ASSERT_TRUE(start(rowOf("alwa_20230115_143005_F.MP4")));
    QSignalSpy positions(&playInfo, &VRDPlayInfo::positionChanged);
    for (int step = 1; step <= 7; ++step)
        engine.driveTime(step * 1000);
    ASSERT_EQ(positions.size(), 3);
    EXPECT_NEAR(positions[0][0].toDouble(), 1.0 / 60, 1e-6);
    EXPECT_NEAR(positions[1][0].toDouble(), 4.0 / 60, 1e-6);
    EXPECT_NEAR(positions[2][0].toDouble(), 7.0 / 60, 1e-6);
    EXPECT_FALSE(view.loadingShown) << "the first time change hides the loading indicator";
}

TEST_F(PlaybackControllerFixture, EndOfAPairMovesToTheNextGroupInTheSameCamera)
{
    ASSERT_TRUE(start(rowOf("alwa_20230115_143005_R.MP4")));
    EXPECT_TRUE(view.rearInMain);
    EXPECT_TRUE(view.frontInSub);
    engine.driveEnd();
    EXPECT_FALSE(playInfo.isPlaying());
    ASSERT_TRUE(QTest::qWaitFor([this] { return playback.preparingPlayNext(); }, 2500));
    QSignalSpy started(&playback, &VRDDualPlaybackController::playbackStarted);
    ASSERT_TRUE(started.wait(4000));
    EXPECT_EQ(playback.mediaIndex(), rowOf("alwa_20230115_143105_R.MP4"));

    // From a front file the step of two lands on the next front file; a file
    // without twin moves on by one; nothing follows the last row.
    ASSERT_TRUE(start(rowOf("alwa_20230115_143005_F.MP4")));
    started.clear();
    ASSERT_TRUE(playback.playNext());
    EXPECT_EQ(playback.mediaIndex(), rowOf("alwa_20230115_143105_F.MP4"));
    ASSERT_TRUE(started.wait(3000));
    const qint64 single = rowOf("alwa_20230115_143205_F.MP4");
    ASSERT_TRUE(start(single));
    EXPECT_EQ(playback.playNext(), single + 1 < 5);
}

TEST_F(PlaybackControllerFixture, SpeedVolumeAndAudioChoiceStayInTheirSteps)
{
    ASSERT_TRUE(start(rowOf("alwa_20230115_143005_F.MP4")));
    std::vector<double> speeds;
    for (auto action : {&VRDDualPlaybackController::increaseSpeed, &VRDDualPlaybackController::increaseSpeed,
                        &VRDDualPlaybackController::decreaseSpeed, &VRDDualPlaybackController::decreaseSpeed}) {
        (playback.*action)();
        speeds.push_back(playInfo.speed());
    }
    EXPECT_EQ(speeds, (std::vector<double>{2.0, 2.0, 1.0, 1.0}));
    EXPECT_FLOAT_EQ(engine.rate(), 1.0f);

    playback.setVolume(195);
    playback.volumeUp();
    EXPECT_EQ(playback.volume(), 200);
    EXPECT_EQ(engine.volume(), 200);
    EXPECT_EQ(view.volumeSlider, 200);
    playback.setVolume(5);
    playback.volumeDown();
    EXPECT_EQ(playback.volume(), 0);

    view.audioToggleOn = true;
    playback.toggleAudioChoice();
    EXPECT_EQ(playInfo.audioMediaDirection(), 1);
    EXPECT_EQ(engine.heardView(), View::Sub) << "the rear file is in the small view";
    EXPECT_FALSE(engine.isMuted());
    EXPECT_TRUE(view.audioToggleOn);
}

TEST_F(PlaybackControllerFixture, JumpsGoToTheEndsNearThemAndMoveTenSecondsElsewhere)
{
    ASSERT_TRUE(start(rowOf("alwa_20230115_143005_F.MP4")));
    engine.driveTime(51000);
    engine.clearCalls();
    playback.jumpForward();
    EXPECT_TRUE(engine.calls().contains("setTime 60000"));
    EXPECT_FALSE(playback.moving());

    engine.driveTime(0);
    playback.jumpForward();
    EXPECT_TRUE(playback.moving());
    EXPECT_TRUE(engine.calls().contains("jumpForward 10"));
    EXPECT_NEAR(view.positionSlider, 10.0 / 60, 1e-9) << "the slider moves at once to the predicted position";
    playback.jumpForward();
    EXPECT_EQ(engine.calls().count("jumpForward 10"), 1) << "nothing more while moving";
    ASSERT_TRUE(QTest::qWaitFor([this] { return !playback.moving(); }, 2000));

    engine.driveTime(5000);
    engine.clearCalls();
    playback.jumpBackward();
    EXPECT_TRUE(engine.calls().contains("setTime 0"));
    EXPECT_FALSE(engine.calls().contains("jumpBackward 10"));
}

TEST_F(PlaybackControllerFixture, FrameStepsOnlyWhilePaused)
{
    ASSERT_TRUE(start(rowOf("alwa_20230115_143005_F.MP4")));
    engine.driveTime(20000);
    playback.stepForward();
    EXPECT_TRUE(engine.calls().filter("stepFrame").isEmpty()) << "playing: no step";

    engine.driveState(State::Paused);
    engine.clearCalls();
    playback.stepForward();
    playback.stepForward();
    playback.stepBackward();
    EXPECT_EQ(engine.calls(), (QStringList{"stepFrame 1", "stepFrame 1", "stepFrame -1"}));
    EXPECT_EQ(engine.state(), State::Paused);
}

TEST_F(PlaybackControllerFixture, PlayAtTheEndRestartsOrResumesFromTheSlider)
{
    const qint64 row = rowOf("alwa_20230115_143005_F.MP4");
    ASSERT_TRUE(start(row));
    engine.driveTime(59990);
    engine.driveState(State::Paused);
    view.positionSlider = 1.0;
    EXPECT_FALSE(playInfo.isPlaying());
    playback.clickPlayButton();
    EXPECT_TRUE(playback.waitingForPlayStart()) << "the same recording starts again";
    QSignalSpy started(&playback, &VRDDualPlaybackController::playbackStarted);
    ASSERT_TRUE(started.wait(3000));

    engine.driveTime(59990);
    engine.driveState(State::Paused);
    view.positionSlider = 0.5;
    engine.clearCalls();
    playback.clickPlayButton();
    EXPECT_TRUE(engine.calls().contains("setTime 30000"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return engine.calls().contains("play"); }, 1000));
}

TEST_F(PlaybackControllerFixture, SwapIsInstantOnlyWhilePlayingAndChoosesTheHeardChannelAgainAfterwards)
{
    ASSERT_TRUE(start(rowOf("alwa_20230115_143005_F.MP4")));
    engine.driveState(State::Paused);
    playback.swapPlayer();
    EXPECT_FALSE(playback.swapping());
    EXPECT_EQ(fileName(View::Main), "alwa_20230115_143005_F.MP4");

    playback.clickPlayButton();
    ASSERT_TRUE(QTest::qWaitFor([this] { return engine.isPlaying(); }, 1000));
    engine.driveTime(20000);
    engine.clearCalls();
    playback.swapPlayer();
    EXPECT_TRUE(playback.swapping());
    EXPECT_EQ(fileName(View::Main), "alwa_20230115_143005_R.MP4");
    EXPECT_EQ(fileName(View::Sub), "alwa_20230115_143005_F.MP4");
    EXPECT_TRUE(view.rearInMain && view.frontInSub);
    EXPECT_EQ(view.swapAnimations, 1);
    EXPECT_TRUE(engine.isMuted());
    ASSERT_TRUE(QTest::qWaitFor([this] { return !playback.swapping(); }, 3000));
    EXPECT_TRUE(engine.calls().filter("setPosition").isEmpty() && engine.calls().filter("setTime").isEmpty())
        << "both views come from one clock: nothing to seek";
    EXPECT_EQ(playInfo.audioMediaDirection(), 0);
    EXPECT_EQ(engine.heardView(), View::Sub) << "the front channel is heard, now in the small view";
    EXPECT_FALSE(engine.isMuted());
}

TEST_F(PlaybackControllerFixture, DoubleClickOnThePausedRowRestartsFromTheStart)
{
    const qint64 row = rowOf("alwa_20230115_143005_F.MP4");
    ASSERT_TRUE(start(row));
    engine.driveEnd();
    engine.clearCalls();
    playback.changeAndPlay(row);
    EXPECT_EQ(engine.calls(), (QStringList{"setPosition 0", "play"}));

    // After a stop (another folder opened) the same row starts afresh.
    playback.stopPlay();
    QSignalSpy started(&playback, &VRDDualPlaybackController::playbackStarted);
    playback.changeAndPlay(row);
    EXPECT_TRUE(started.wait(3000));
}

TEST_F(PlaybackControllerFixture, WindowSizeStepsGrowToFullScreenAndShrinkToTheMinimum)
{
    ASSERT_TRUE(start(rowOf("alwa_20230115_143005_F.MP4")));
    view.screen = QSize(1920, 1080);
    playback.sizeUp();
    EXPECT_EQ(view.window, QSize(1224, 768));
    playback.sizeUp();
    EXPECT_EQ(view.window, QSize(1428, 896));
    playback.sizeUp();
    EXPECT_TRUE(view.fullScreen) << "a step past the screen (less 100 points) goes full screen";
    EXPECT_EQ(view.window, QSize(1428, 896));
    playback.sizeDown();
    EXPECT_FALSE(view.fullScreen);
    playback.sizeDown();
    playback.sizeDown();
    EXPECT_EQ(view.window, QSize(1020, 640));
    EXPECT_NEAR(playInfo.scale(), 360.0 / 180, 1e-9);
}

} // namespace
