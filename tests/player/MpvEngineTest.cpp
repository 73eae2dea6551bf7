#include "StderrCapture.h"
#include "player/VRDMpvEngine.h"
#include "player/VRDVideoView.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHBoxLayout>
#include <QImage>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

using State = VRDMediaEngine::State;
using View = VRDMediaEngine::View;

namespace {

constexpr int kWaitMs = 10000;

QString sharedTestFolder()
{
    const QString folder = qEnvironmentVariable("TOVIK_TEST_TMP");
    QDir().mkpath(folder);
    return folder;
}

// Test cases may run in parallel processes: each has a folder of its own.
QString testFolder()
{
    static QTemporaryDir folder(sharedTestFolder() + "/engine-XXXXXX");
    return folder.path();
}

// A test pattern at 30 frames a second, three seconds at 320x240 unless told.
QString makeClip(const QString &name, const QString &pattern, const QString &size = "320x240",
                 const QString &seconds = "3")
{
    const QString path = testFolder() + "/" + name;
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"),
                 {"-y", "-v", "error", "-f", "lavfi", "-i", pattern + "=size=" + size + ":rate=30",
                  "-t", seconds, "-pix_fmt", "yuv420p", path});
    if (!ffmpeg.waitForFinished(60000) || ffmpeg.exitCode() != 0)
        return QString();
    return path;
}

// Three seconds of a test pattern with a tone, as a camera records sound.
QString makeClipWithSound(const QString &name)
{
    const QString path = testFolder() + "/" + name;
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"),
                 {"-y", "-v", "error", "-f", "lavfi", "-i", "testsrc2=size=320x240:rate=30", "-f", "lavfi", "-i",
                  "sine=frequency=440", "-t", "3", "-pix_fmt", "yuv420p", "-c:a", "aac", path});
    if (!ffmpeg.waitForFinished(60000) || ffmpeg.exitCode() != 0)
        return QString();
    return path;
}

// A picture is "real" when it is neither one flat colour nor black.
bool showsPicture(const QImage &image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 7)
        for (int x = 0; x < image.width(); x += 7)
            colours.insert(image.pixel(x, y) & 0xF0F0F0);
    return colours.size() > 8;
}

bool waitFor(const std::function<bool()> &condition)
{
    return QTest::qWaitFor(condition, kWaitMs);
}

} // namespace

class MpvEngineTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_testsrc = makeClip("testsrc.mp4", "testsrc");
        s_smpte = makeClip("smptebars.mp4", "smptebars");
        s_smallShort = makeClip("small.mp4", "smptebars", "160x120", "2");
        s_withSound = makeClipWithSound("sound.mp4");
    }

    void SetUp() override
    {
        ASSERT_FALSE(s_testsrc.isEmpty()) << "ffmpeg could not make the test clip";
        ASSERT_FALSE(s_smpte.isEmpty());
        ASSERT_FALSE(s_smallShort.isEmpty());
        ASSERT_FALSE(s_withSound.isEmpty());
        window = std::make_unique<QWidget>();
        window->resize(660, 260);
        auto *layout = new QHBoxLayout(window.get());
        view1 = new VRDVideoView(window.get());
        view2 = new VRDVideoView(window.get());
        layout->addWidget(view1);
        layout->addWidget(view2);
    }

    void showWindow()
    {
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    static QString s_testsrc;
    static QString s_smpte;
    static QString s_smallShort;
    static QString s_withSound;
    std::unique_ptr<QWidget> window;
    VRDVideoView *view1 = nullptr;
    VRDVideoView *view2 = nullptr;
};

QString MpvEngineTest::s_testsrc;
QString MpvEngineTest::s_smpte;
QString MpvEngineTest::s_smallShort;
QString MpvEngineTest::s_withSound;

TEST_F(MpvEngineTest, PlaysSeeksJumpsPausesAndEndsPausedOnTheLastFrame)
{
    showWindow();
    VRDMpvEngine engine(view1, nullptr, VRDMpvEngine::AudioOutput::Null);
    QSignalSpy times(&engine, &VRDMediaEngine::timeChanged);
    QSignalSpy ends(&engine, &VRDMediaEngine::endReached);
    QSignalSpy errors(&engine, &VRDMediaEngine::errorOccurred);

    EXPECT_EQ(engine.state(), State::Stopped);
    engine.setMedia(s_testsrc);
    EXPECT_EQ(engine.media(), s_testsrc);
    EXPECT_EQ(engine.state(), State::Stopped) << "a media opens only on play";
    engine.play();
    ASSERT_TRUE(waitFor([&] { return engine.isPlaying(); }));
    ASSERT_TRUE(waitFor([&] { return times.count() >= 3; }));
    EXPECT_EQ(engine.length(), 3000);
    EXPECT_EQ(engine.videoSize(), QSize(320, 240));
    EXPECT_TRUE(engine.hasVideoOut());

    engine.pause();
    ASSERT_TRUE(waitFor([&] { return engine.state() == State::Paused; }));
    engine.setPosition(0.5f);
    ASSERT_TRUE(waitFor([&] { return qAbs(engine.time() - 1500) <= 40; })) << engine.time();
    engine.jumpForward(1);
    ASSERT_TRUE(waitFor([&] { return qAbs(engine.time() - 2500) <= 40; })) << engine.time();
    engine.jumpBackward(2);
    ASSERT_TRUE(waitFor([&] { return qAbs(engine.time() - 500) <= 40; })) << engine.time();
    EXPECT_EQ(engine.state(), State::Paused) << "seeking keeps the pause";

    engine.setRate(2.0f);
    engine.setTime(2000);
    engine.play();
    ASSERT_TRUE(waitFor([&] { return ends.count() == 1; }));
    EXPECT_EQ(engine.state(), State::Paused);
    EXPECT_FLOAT_EQ(engine.rate(), 2.0f);
    EXPECT_GE(engine.position(), 0.98f);
    EXPECT_GE(engine.remainingTime(), -50);
    EXPECT_TRUE(errors.isEmpty());

    // Playing from the end again is the caller's choice: rewind, then play.
    engine.setPosition(0.0f);
    engine.play();
    ASSERT_TRUE(waitFor([&] { return engine.isPlaying(); }));
    EXPECT_LT(engine.position(), 0.5f);
    engine.stop();
    EXPECT_EQ(engine.state(), State::Stopped);
    EXPECT_EQ(engine.media(), s_testsrc) << "stop keeps the media";
}

TEST_F(MpvEngineTest, LoadsBackToBackEndWithTheLastFilePlaying)
{
    showWindow();
    VRDMpvEngine engine(view1, nullptr, VRDMpvEngine::AudioOutput::Null);
    QSignalSpy errors(&engine, &VRDMediaEngine::errorOccurred);
    // libmpv replaces the first file before it starts: two replies, one start event.
    engine.setMedia(s_testsrc);
    engine.play();
    engine.setMedia(s_smpte);
    engine.play();
    ASSERT_TRUE(waitFor([&] { return engine.isPlaying(); })) << "state " << int(engine.state());
    EXPECT_EQ(engine.media(), s_smpte);
    EXPECT_TRUE(errors.isEmpty());

    // The same with a stop between, and with a replaced file that already started.
    for (int round = 0; round < 3; ++round) {
        engine.setMedia(s_testsrc);
        engine.play();
        if (round == 1)
            QTest::qWait(30);
        engine.stop();
        engine.play();
        ASSERT_TRUE(waitFor([&] { return engine.isPlaying(); })) << "round " << round;
    }
}

TEST_F(MpvEngineTest, VolumeIsClampedAndMuteIsPerEngine)
{
    showWindow();
    VRDMpvEngine first(view1, nullptr, VRDMpvEngine::AudioOutput::Null);
    VRDMpvEngine second(view2, nullptr, VRDMpvEngine::AudioOutput::Null);
    first.setVolume(250);
    second.setVolume(-20);
    EXPECT_EQ(first.volume(), 200);
    EXPECT_EQ(second.volume(), 0);
    first.setVolume(70);
    first.setMuted(true);
    QTest::qWait(200);
    EXPECT_EQ(first.volume(), 70) << "the engine's own report agrees";
    EXPECT_EQ(second.volume(), 0);
    EXPECT_TRUE(first.isMuted());
    EXPECT_FALSE(second.isMuted());
}

TEST_F(MpvEngineTest, SnapshotWritesAJpegAtTheVideoSize)
{
    showWindow();
    VRDMpvEngine engine(view1, nullptr, VRDMpvEngine::AudioOutput::Null);
    QSignalSpy snapshots(&engine, &VRDMediaEngine::snapshotFinished);
    const QString jpeg = testFolder() + "/capture.jpg";
    QFile::remove(jpeg);

    engine.saveSnapshot(jpeg);
    ASSERT_TRUE(snapshots.wait(kWaitMs));
    EXPECT_FALSE(snapshots.at(0).at(2).toBool()) << "nothing to capture without media";

    engine.setMedia(s_smpte);
    engine.play();
    ASSERT_TRUE(waitFor([&] { return engine.isPlaying() && engine.hasVideoOut(); }));
    engine.pause();
    engine.saveSnapshot(jpeg);
    ASSERT_TRUE(waitFor([&] { return snapshots.count() == 2; }));
    EXPECT_TRUE(snapshots.at(1).at(2).toBool());
    EXPECT_EQ(snapshots.at(1).at(1).toString(), jpeg);
    QImage picture;
    ASSERT_TRUE(picture.load(jpeg, "JPEG"));
    EXPECT_EQ(picture.size(), QSize(320, 240));
    EXPECT_TRUE(showsPicture(picture));
}

TEST_F(MpvEngineTest, UnreadableFilesReportAnErrorWithTheirPath)
{
    showWindow();
    VRDMpvEngine engine(view1, nullptr, VRDMpvEngine::AudioOutput::Null);
    QSignalSpy errors(&engine, &VRDMediaEngine::errorOccurred);

    const QString garbage = testFolder() + "/garbage.mp4";
    QFile file(garbage);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, '\x5a'));
    file.close();
    engine.setMedia(garbage);
    engine.play();
    ASSERT_TRUE(errors.wait(kWaitMs));
    EXPECT_EQ(errors.at(0).at(1).toString(), garbage);
    EXPECT_EQ(engine.state(), State::Error);

    const QString missing = testFolder() + "/missing.mp4";
    engine.setMedia(missing);
    engine.play();
    ASSERT_TRUE(waitFor([&] { return errors.count() == 2; }));
    EXPECT_EQ(errors.at(1).at(1).toString(), missing);

    // The engine recovers with a good file.
    engine.setMedia(s_testsrc);
    engine.play();
    ASSERT_TRUE(waitFor([&] { return engine.isPlaying(); }));
}

// Both ways of drawing frames, whatever this machine's OpenGL would choose.
class MpvEnginePairTest : public MpvEngineTest, public ::testing::WithParamInterface<VRDMpvEngine::FrameDrawing>
{
};

INSTANTIATE_TEST_SUITE_P(Drawing, MpvEnginePairTest,
                         ::testing::Values(VRDMpvEngine::FrameDrawing::OpenGL, VRDMpvEngine::FrameDrawing::Software),
                         [](const auto &info) {
                             return info.param == VRDMpvEngine::FrameDrawing::OpenGL ? "OpenGL" : "Software";
                         });

TEST_P(MpvEnginePairTest, APairPlaysInOneEngineEachViewShowingItsOwnPicture)
{
    auto engine = std::make_unique<VRDMpvEngine>(view1, view2, VRDMpvEngine::AudioOutput::Null, GetParam());
    QSignalSpy errors(engine.get(), &VRDMediaEngine::errorOccurred);
    // The player window hides the views until the engine plays.
    view1->hide();
    view2->hide();
    showWindow();
    // A twin of another size that ends a second early.
    engine->setMedia(s_testsrc, s_smallShort);
    EXPECT_EQ(engine->media(View::Sub), s_smallShort);
    engine->play();
    ASSERT_TRUE(waitFor([&] { return engine->isPlaying() && engine->hasVideoOut(); }));
    EXPECT_EQ(engine->videoSize(View::Main), QSize(320, 240));
    EXPECT_EQ(engine->videoSize(View::Sub), QSize(160, 120));
    view1->show();
    view2->show();
    QTest::qWait(300);
    const QImage grabbed = window->grab().toImage();
    grabbed.save(sharedTestFolder() + "/engine_pair_views.png");
    const QImage left = grabbed.copy(view1->geometry());
    const QImage right = grabbed.copy(view2->geometry());
    EXPECT_TRUE(showsPicture(left));
    EXPECT_TRUE(showsPicture(right));
    EXPECT_NE(left, right);

    // A swap exchanges the views' files at once, without a seek.
    engine->pause();
    ASSERT_TRUE(waitFor([&] { return engine->state() == State::Paused; }));
    const qint64 before = engine->time();
    engine->swapViews();
    EXPECT_EQ(engine->media(View::Main), s_smallShort);
    EXPECT_EQ(engine->videoSize(View::Main), QSize(160, 120));
    EXPECT_EQ(engine->time(), before);
    QSignalSpy snapshots(engine.get(), &VRDMediaEngine::snapshotFinished);
    const QString jpeg = testFolder() + "/pair.jpg";
    engine->saveSnapshot(jpeg);
    ASSERT_TRUE(snapshots.wait(kWaitMs));
    EXPECT_TRUE(snapshots.at(0).at(2).toBool());
    EXPECT_EQ(QImage(jpeg).size(), QSize(160, 120)) << "the large view's picture alone, at its own size";

    // Frame by frame, both pictures together.
    engine->stepFrame(1);
    ASSERT_TRUE(waitFor([&] { return engine->time() > before; }));
    const qint64 stepped = engine->time();
    EXPECT_LE(stepped - before, 40);
    engine->stepFrame(-1);
    ASSERT_TRUE(waitFor([&] { return engine->time() < stepped; }));
    EXPECT_EQ(engine->state(), State::Paused);

    // The longer recording plays on after its twin ended, to its own end.
    QSignalSpy ends(engine.get(), &VRDMediaEngine::endReached);
    engine->setTime(1500);
    engine->play();
    ASSERT_TRUE(waitFor([&] { return ends.count() == 1; }));
    EXPECT_GE(engine->position(), 0.98f);
    EXPECT_TRUE(errors.isEmpty());

    // A twin that cannot be played is dropped and named; the recording plays alone.
    const QString garbage = testFolder() + "/garbage_twin.mp4";
    QFile file(garbage);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, '\x5a'));
    file.close();
    engine->setMedia(s_smpte, garbage);
    engine->play();
    ASSERT_TRUE(waitFor([&] { return engine->isPlaying(); }));
    ASSERT_EQ(errors.count(), 1);
    EXPECT_EQ(errors.at(0).at(1).toString(), garbage);
    EXPECT_FALSE(engine->hasMedia(View::Sub));
    EXPECT_EQ(engine->media(), s_smpte);

    // A view moved to another window (a new OpenGL context) keeps showing its picture.
    engine->setMedia(s_testsrc, s_smpte);
    engine->play();
    ASSERT_TRUE(waitFor([&] { return engine->isPlaying() && engine->hasVideoOut(); }));
    QWidget otherWindow;
    otherWindow.resize(330, 250);
    view2->setParent(&otherWindow);
    view2->setGeometry(0, 0, 330, 250);
    otherWindow.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&otherWindow));
    QTest::qWait(300);
    EXPECT_TRUE(showsPicture(otherWindow.grab().toImage()));

    // Either order of release is safe: view before engine, engine before view.
    delete view2;
    QTest::qWait(100);
    engine.reset();
}

// libmpv tries audio outputs and hardware decoders at every file it opens, and on a
// machine without a sound device or a GPU the libraries behind them (ALSA, JACK, VA-API,
// VDPAU) print each failure; where a device exists its probe succeeds. Either way a
// pair with sound plays, again and again, without a line on stderr.
TEST_F(MpvEngineTest, PlayingPairsWithSoundPrintsNothingOnStderr)
{
    showWindow();
    StderrCapture capture(testFolder() + "/stderr.txt");
    ASSERT_TRUE(capture.capturing());
    {
        VRDMpvEngine engine(view1, view2, VRDMpvEngine::AudioOutput::System);
        QSignalSpy times(&engine, &VRDMediaEngine::timeChanged);
        for (int round = 0; round < 3; ++round) {
            times.clear();
            engine.setMedia(round == 1 ? s_testsrc : s_withSound, round == 1 ? s_withSound : s_smpte);
            engine.play();
            ASSERT_TRUE(waitFor([&] { return engine.isPlaying() && times.count() >= 3; })) << "round " << round;
            if (round == 2)
                engine.swapViews();
            QTest::qWait(200);
        }
        engine.stop();
    }
    const QByteArray printed = capture.finish();
    EXPECT_TRUE(printed.isEmpty()) << printed.constData();
}
