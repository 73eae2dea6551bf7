#include "PlaybackTestFixture.h"

#include "ui_VRDMainWindow.h"
#include "viewer/VRDPlayInfo.h"

namespace {

using State = VRDMediaEngine::State;

TEST_F(PlaybackFixture, StartReadsDataFirstThenPlaysBothAndRefusesAnotherStartMeanwhile)
{
    const qint64 rowA = rowOf("alwa_20230115_143005_F.MP4");
    QSignalSpy started(&playback, &VRDDualPlaybackController::playbackStarted);
    ASSERT_TRUE(playback.playAtIndex(rowA));
    EXPECT_TRUE(playback.waitingForPlayStart());
    EXPECT_FALSE(playback.playAtIndex(rowOf("alwa_20230115_143105_F.MP4")));
    EXPECT_EQ(fileName(player1), "alwa_20230115_143005_F.MP4");
    EXPECT_EQ(fileName(player2), "alwa_20230115_143005_R.MP4");
    EXPECT_FALSE(player1.calls().contains("play")) << "playback waits for the embedded data";

    ASSERT_TRUE(started.wait(3000));
    EXPECT_FALSE(playback.waitingForPlayStart());
    EXPECT_EQ(playback.mediaIndex(), rowA);
    EXPECT_TRUE(app.playInfo().isPlaying());
    EXPECT_EQ(app.playInfo().audioMediaDirection(), 0);
    EXPECT_EQ(app.ui().mediaListTableView->selectionModel()->selectedRows().size(), 1);
    EXPECT_EQ(app.ui().mediaListTableView->currentIndex().row(), rowA);
    EXPECT_FALSE(player1.isMuted());
    EXPECT_TRUE(player2.isMuted());
    EXPECT_EQ(player1.volume(), 70);
    EXPECT_TRUE(app.ui().audioToggleButton->isVisibleTo(&app.window()));

    // A recording without twin plays alone.
    ASSERT_TRUE(start(rowOf("alwa_20230115_143205_F.MP4")));
    EXPECT_FALSE(player2.hasMedia());
    EXPECT_FALSE(app.ui().audioToggleButton->isVisibleTo(&app.window()));
}

TEST_F(PlaybackFixture, FailedOrStuckStartsAreToldAndDoNotBlockTheNextStart)
{
    QSignalSpy failures(&playback, &VRDDualPlaybackController::playFailed);
    player1.setAnswersRequests(false);
    ASSERT_TRUE(playback.playAtIndex(rowOf("alwa_20230115_143005_F.MP4")));
    ASSERT_TRUE(QTest::qWaitFor([this] { return player1.calls().contains("play"); }, 3000));
    player1.driveError("cannot play: unrecognized file format");
    EXPECT_FALSE(playback.waitingForPlayStart());
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures[0][0].toString().endsWith("alwa_20230115_143005_F.MP4"));

    // An unreadable twin is dropped; the chosen recording plays alone.
    player1.setAnswersRequests(true);
    player2.setAnswersRequests(false);
    ASSERT_TRUE(playback.playAtIndex(rowOf("alwa_20230115_143105_F.MP4")));
    ASSERT_TRUE(QTest::qWaitFor([this] { return player1.isPlaying(); }, 3000));
    player2.driveError("cannot play");
    EXPECT_FALSE(playback.waitingForPlayStart());
    EXPECT_FALSE(player2.hasMedia());
    EXPECT_EQ(failures.size(), 2);

    // A twin that never answers is given up after the time-out.
    playback.setPendingStartTimeout(200);
    ASSERT_TRUE(playback.playAtIndex(rowOf("alwa_20230115_143005_R.MP4")));
    ASSERT_TRUE(failures.wait(3000));
    EXPECT_TRUE(failures.last()[0].toString().endsWith("alwa_20230115_143005_F.MP4"));
    EXPECT_FALSE(playback.waitingForPlayStart());
    player2.setAnswersRequests(true);
    EXPECT_TRUE(start(rowOf("alwa_20230115_143105_F.MP4")));
}

TEST_F(PlaybackFixture, PositionFollowsTheFirstAndEveryThirdTimeChangeOfPlayerOne)
{
    ASSERT_TRUE(start(rowOf("alwa_20230115_143005_F.MP4")));
    QSignalSpy positions(&app.playInfo(), &VRDPlayInfo::positionChanged);
    for (int step = 1; step <= 7; ++step)
        player1.driveTime(step * 1000);
    player2.driveTime(8000);
    ASSERT_EQ(positions.size(), 3);
    EXPECT_NEAR(positions[0][0].toDouble(), 1.0 / 60, 1e-6);
    EXPECT_NEAR(positions[1][0].toDouble(), 4.0 / 60, 1e-6);
    EXPECT_NEAR(positions[2][0].toDouble(), 7.0 / 60, 1e-6);
    EXPECT_EQ(app.ui().gsensorXField->text(), "X=+0.00") << "no samples: the fields keep their texts";
}

TEST_F(PlaybackFixture, EndOfAPairMovesToTheNextGroupInTheSameCamera)
{
    ASSERT_TRUE(start(rowOf("alwa_20230115_143005_R.MP4")));
    player1.driveEnd();
    player2.driveEnd();
    EXPECT_FALSE(app.playInfo().isPlaying());
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

TEST_F(PlaybackFixture, SpeedVolumeAndAudioChoiceStayInTheirSteps)
{
    ASSERT_TRUE(start(rowOf("alwa_20230115_143005_F.MP4")));
    std::vector<double> speeds;
    for (auto action : {&VRDDualPlaybackController::increaseSpeed, &VRDDualPlaybackController::increaseSpeed,
                        &VRDDualPlaybackController::decreaseSpeed, &VRDDualPlaybackController::decreaseSpeed}) {
        (playback.*action)();
        speeds.push_back(app.playInfo().speed());
    }
    EXPECT_EQ(speeds, (std::vector<double>{2.0, 2.0, 1.0, 1.0}));
    EXPECT_EQ(app.ui().speedTextButton->text(), "1.0x");
    EXPECT_FLOAT_EQ(player1.rate(), 1.0f);

    app.setVolume(195);
    playback.volumeUp();
    EXPECT_EQ(app.volume(), 200);
    EXPECT_EQ(player1.volume(), 200);
    app.setVolume(5);
    playback.volumeDown();
    EXPECT_EQ(app.volume(), 0);

    app.ui().audioToggleButton->click();
    EXPECT_EQ(app.playInfo().audioMediaDirection(), 1);
    EXPECT_TRUE(player1.isMuted());
    EXPECT_FALSE(player2.isMuted());
    EXPECT_EQ(app.ui().audioToggleButton->imageName(), "icon_audio_rear_n");
}

TEST_F(PlaybackFixture, JumpsGoToTheEndsNearThemAndMoveTenSecondsElsewhere)
{
    ASSERT_TRUE(start(rowOf("alwa_20230115_143005_F.MP4")));
    player1.driveTime(51000);
    player2.driveTime(51000);
    player1.clearCalls();
    playback.jumpForward();
    EXPECT_TRUE(player1.calls().contains("setTime 60000"));
    EXPECT_TRUE(player2.calls().contains("setTime 60000"));
    EXPECT_FALSE(playback.moving());

    player1.driveTime(0);
    playback.jumpForward();
    EXPECT_TRUE(playback.moving());
    EXPECT_TRUE(player1.calls().contains("jumpForward 10"));
    EXPECT_EQ(app.ui().videoPositionSlider->value(), 166);
    playback.jumpForward();
    EXPECT_EQ(player1.calls().count("jumpForward 10"), 1) << "nothing more while moving";
    ASSERT_TRUE(QTest::qWaitFor([this] { return !playback.moving(); }, 2000));

    player1.driveTime(5000);
    player1.clearCalls();
    playback.jumpBackward();
    EXPECT_TRUE(player1.calls().contains("setTime 0"));
    EXPECT_FALSE(player1.calls().contains("jumpBackward 10"));
}

TEST_F(PlaybackFixture, PlayAtTheEndRestartsOrResumesFromTheSlider)
{
    const qint64 row = rowOf("alwa_20230115_143005_F.MP4");
    ASSERT_TRUE(start(row));
    player1.driveTime(59990);
    player1.driveState(State::Paused);
    player2.driveState(State::Paused);
    app.ui().videoPositionSlider->setValue(1000);
    EXPECT_FALSE(app.playInfo().isPlaying());
    playback.clickPlayButton();
    EXPECT_TRUE(playback.waitingForPlayStart()) << "the same recording starts again";
    QSignalSpy started(&playback, &VRDDualPlaybackController::playbackStarted);
    ASSERT_TRUE(started.wait(3000));

    player1.driveTime(59990);
    player1.driveState(State::Paused);
    player2.driveState(State::Paused);
    app.ui().videoPositionSlider->setValue(500);
    player1.clearCalls();
    playback.clickPlayButton();
    EXPECT_TRUE(player1.calls().contains("setTime 30000"));
    EXPECT_TRUE(player2.calls().contains("setTime 30000"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return player1.calls().contains("play"); }, 1000));
}

TEST_F(PlaybackFixture, SwapOnlyWhilePlayingAndChoosesTheHeardChannelAgainAfterwards)
{
    ASSERT_TRUE(start(rowOf("alwa_20230115_143005_F.MP4")));
    player1.driveState(State::Paused);
    player2.driveState(State::Paused);
    playback.swapPlayer();
    EXPECT_FALSE(playback.swapping());
    EXPECT_EQ(fileName(player1), "alwa_20230115_143005_F.MP4");

    playback.clickPlayButton();
    ASSERT_TRUE(QTest::qWaitFor([this] { return player1.isPlaying() && player2.isPlaying(); }, 1000));
    player1.driveTime(20000);
    player2.driveTime(20000);
    playback.swapPlayer();
    EXPECT_TRUE(playback.swapping());
    EXPECT_EQ(fileName(player1), "alwa_20230115_143005_R.MP4");
    EXPECT_EQ(fileName(player2), "alwa_20230115_143005_F.MP4");
    EXPECT_TRUE(player1.isMuted() && player2.isMuted());
    ASSERT_TRUE(QTest::qWaitFor([this] { return !playback.swapping(); }, 3000));
    EXPECT_TRUE(player1.calls().filter("setPosition").size() >= 1);
    EXPECT_EQ(app.playInfo().audioMediaDirection(), 0);
    EXPECT_TRUE(player1.isMuted());
    EXPECT_FALSE(player2.isMuted()) << "the front channel is heard, now in player2";
}

TEST_F(PlaybackFixture, DoubleClickOnThePausedRowRestartsBothFromTheStart)
{
    const qint64 row = rowOf("alwa_20230115_143005_F.MP4");
    ASSERT_TRUE(start(row));
    player1.driveEnd();
    player2.driveEnd();
    player1.clearCalls();
    player2.clearCalls();
    playback.changeAndPlay(row);
    EXPECT_EQ(player1.calls(), (QStringList{"setPosition 0", "play"}));
    EXPECT_EQ(player2.calls().mid(0, 2), (QStringList{"setPosition 0", "play"}));
}

} // namespace
