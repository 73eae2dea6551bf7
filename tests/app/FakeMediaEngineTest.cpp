#include "FakeMediaEngine.h"

#include <QDir>
#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using State = VRDMediaEngine::State;

TEST(FakeMediaEngineTest, RecordsRequestsAndAppliesTheirValues)
{
    FakeMediaEngine engine;
    engine.setLength(60000);
    engine.setMedia(QStringLiteral("/card/A_F.mp4"));
    engine.setPosition(0.5f);
    engine.jumpForward(10);
    engine.setVolume(250);
    engine.setMuted(true);
    engine.setRate(2.0f);

    EXPECT_EQ(engine.calls(), (QStringList{"setMedia /card/A_F.mp4", "setPosition 0.5",
                                           "jumpForward 10", "setVolume 250", "setMuted 1",
                                           "setRate 2"}));
    EXPECT_EQ(engine.time(), 40000);
    EXPECT_EQ(engine.remainingTime(), -20000);
    EXPECT_EQ(engine.volume(), 200);
    EXPECT_TRUE(engine.isMuted());
    engine.jumpForward(60);
    EXPECT_EQ(engine.time(), 60000);
    engine.jumpBackward(100);
    EXPECT_EQ(engine.time(), 0);
    engine.setVolume(-3);
    EXPECT_EQ(engine.volume(), 0);
    // Requests alone change no state: the test drives it.
    EXPECT_EQ(engine.state(), State::Stopped);
}

TEST(FakeMediaEngineTest, AnswersPlayAndPauseLaterWhenAsked)
{
    FakeMediaEngine engine;
    engine.setAnswersRequests(true);
    QSignalSpy states(&engine, &VRDMediaEngine::stateChanged);
    engine.play();
    QCoreApplication::processEvents();
    EXPECT_EQ(states.count(), 0) << "play without media does nothing";

    engine.setMedia(QStringLiteral("/card/A_F.mp4"));
    engine.play();
    EXPECT_EQ(engine.state(), State::Stopped) << "the answer is asynchronous";
    ASSERT_TRUE(QTest::qWaitFor([&] { return engine.isPlaying(); }, 1000));
    engine.pause();
    ASSERT_TRUE(QTest::qWaitFor([&] { return engine.state() == State::Paused; }, 1000));
    EXPECT_EQ(states.count(), 2);
    EXPECT_EQ(states.at(0).at(0).value<VRDMediaEngine *>(), &engine);
}

TEST(FakeMediaEngineTest, ScriptedEndErrorAndSnapshot)
{
    FakeMediaEngine engine;
    engine.setLength(3000);
    engine.setMedia(QStringLiteral("/card/A_F.mp4"));
    engine.driveState(State::Playing);
    QSignalSpy times(&engine, &VRDMediaEngine::timeChanged);
    QSignalSpy ends(&engine, &VRDMediaEngine::endReached);
    QSignalSpy errors(&engine, &VRDMediaEngine::errorOccurred);
    QSignalSpy snapshots(&engine, &VRDMediaEngine::snapshotFinished);

    engine.driveTime(1000);
    EXPECT_FLOAT_EQ(engine.position(), 1.0f / 3.0f);
    engine.driveEnd();
    EXPECT_EQ(engine.state(), State::Paused);
    EXPECT_FLOAT_EQ(engine.position(), 1.0f);
    EXPECT_EQ(engine.remainingTime(), 0);
    EXPECT_EQ(times.count(), 2);
    EXPECT_EQ(ends.count(), 1);

    engine.driveError(QStringLiteral("cannot play"));
    EXPECT_EQ(engine.state(), State::Error);
    ASSERT_EQ(errors.count(), 1);
    EXPECT_EQ(errors.at(0).at(1).toString(), QStringLiteral("/card/A_F.mp4"));

    const QString jpeg = qEnvironmentVariable("TOVIK_TEST_TMP") + "/fake_snapshot.jpg";
    QDir().mkpath(qEnvironmentVariable("TOVIK_TEST_TMP"));
    engine.saveSnapshot(jpeg);
    ASSERT_TRUE(snapshots.wait(1000));
    EXPECT_FALSE(snapshots.at(0).at(2).toBool()) << "no picture size yet";
    engine.setVideoSize(QSize(320, 240));
    engine.saveSnapshot(jpeg);
    ASSERT_TRUE(snapshots.wait(1000));
    EXPECT_TRUE(snapshots.at(1).at(2).toBool());
    EXPECT_EQ(QImage(jpeg).size(), QSize(320, 240));
}
