#include "FakeMediaEngine.h"
#include "viewer/VRDEngineSync.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

using State = VRDMediaEngine::State;

struct EngineSyncFixture : ::testing::Test {
    EngineSyncFixture()
    {
        for (FakeMediaEngine *engine : {&master, &follower}) {
            engine->setMedia("/card/alwa_20230115_143005_F.MP4");
            engine->setLength(60000);
        }
    }

    void play(qint64 masterTime, qint64 followerTime)
    {
        master.driveState(State::Playing);
        follower.driveState(State::Playing);
        master.driveTime(masterTime);
        follower.driveTime(followerTime);
    }

    FakeMediaEngine master;
    FakeMediaEngine follower;
    VRDEngineSync sync{master, follower};
};

TEST(VRDEngineSyncRules, NudgeGrowsWithTheDriftUpToAFewPerCent)
{
    EXPECT_DOUBLE_EQ(VRDEngineSync::nudgeFactor(0), 1.0);
    EXPECT_DOUBLE_EQ(VRDEngineSync::nudgeFactor(10), 1.0);
    EXPECT_NEAR(VRDEngineSync::nudgeFactor(40), 0.98, 1e-9);
    EXPECT_NEAR(VRDEngineSync::nudgeFactor(-40), 1.02, 1e-9);
    EXPECT_NEAR(VRDEngineSync::nudgeFactor(400), 0.95, 1e-9);
    EXPECT_NEAR(VRDEngineSync::nudgeFactor(-400), 1.05, 1e-9);
}

TEST_F(EngineSyncFixture, SmallDriftIsNudgedAtTheMastersRate)
{
    master.setRate(2.0f);
    play(10000, 10100);
    ASSERT_TRUE(QTest::qWaitFor([this] { return follower.rate() != 1.0f; }, 1000));
    EXPECT_NEAR(follower.rate(), 2.0 * 0.95, 1e-6);
    EXPECT_FALSE(follower.calls().contains("pause"));
    follower.driveTime(10000);
    ASSERT_TRUE(QTest::qWaitFor([this] { return follower.rate() == 2.0f; }, 1000));
}

TEST_F(EngineSyncFixture, LargeDriftParksTheFollowerAheadAndReleasesItWhenTheMasterArrives)
{
    play(10000, 11000);
    ASSERT_TRUE(QTest::qWaitFor([this] { return sync.isAligning(); }, 1000));
    EXPECT_TRUE(follower.calls().contains("pause"));
    EXPECT_TRUE(follower.calls().contains("setTime 10150"));
    follower.clearCalls();
    master.driveTime(10050);
    QTest::qWait(20);
    EXPECT_FALSE(follower.calls().contains("play")) << "the master is not there yet";
    master.driveTime(10150);
    ASSERT_TRUE(QTest::qWaitFor([this] { return follower.calls().contains("play"); }, 1000));
    EXPECT_FALSE(sync.isAligning());
}

TEST_F(EngineSyncFixture, BothPausedMeansAnExactSeekAndHeldMeansNothing)
{
    master.driveState(State::Paused);
    follower.driveState(State::Paused);
    master.driveTime(30000);
    follower.driveTime(30500);
    ASSERT_TRUE(QTest::qWaitFor([this] { return follower.calls().contains("setTime 30000"); }, 1000));

    follower.clearCalls();
    sync.setHeld(true);
    play(10000, 12000);
    QTest::qWait(2 * VRDEngineSync::kCheckIntervalMs);
    EXPECT_TRUE(follower.calls().isEmpty());
}

} // namespace
