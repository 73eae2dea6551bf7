// Start time, starts that show both pictures, and drift of the two channels on the
// demo card, read from the frame-number strips the two views show; then the CPU the
// player uses for a camera-like 1080p pair against two plain mpv players of the same
// window sizes. Not a Google Benchmark: it needs a display and real time.
// Run: xvfb-run -a -s "-screen 0 1280x800x24" playback_sync_bench
#include "player/VRDMediaEngine.h"
#include "player/VRDVideoView.h"
#include "tests/support/ShownFrame.h"
#include "ui_VRDMainWindow.h"
#include "viewer/VRDAppDelegate.h"
#include "viewer/VRDDualPlaybackController.h"
#include "widgets/TKLocalization.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <clocale>
#include <cstdio>
#include <functional>
#include <optional>
#include <sys/resource.h>
#include <vector>

namespace {

using View = VRDMediaEngine::View;

constexpr int kFramesPerSecond = 30;
constexpr int kTimedStarts = 5;
constexpr int kCountedStarts = 20;
constexpr int kCpuSeconds = 60;

struct Channels {
    VRDAppDelegate &app;

    VRDVideoView *view(View which) const
    {
        auto *container = which == View::Main ? app.ui().videoContainerView : app.ui().subVideoContainerView;
        return qobject_cast<VRDVideoView *>(container->videoView());
    }

    std::optional<std::uint32_t> frame(View which) const
    {
        return shownFrame(view(which), app.engine().videoSize(which));
    }

    // Small view's frame minus the large view's, when both strips read.
    std::optional<int> frameDrift() const
    {
        const auto main = frame(View::Main);
        const auto sub = frame(View::Sub);
        if (!main || !sub)
            return std::nullopt;
        return static_cast<int>(*sub) - static_cast<int>(*main);
    }

    // Both views show the same readable frame, and later a later one (waiting a few
    // seconds at most: a loaded machine may be slow to show the next).
    bool bothMoving() const
    {
        return bothViewsShowTheSameMovingFrame([this](View which) { return frame(which); }, 5000);
    }
};

struct DriftFigures {
    int samples = 0;
    int unreadable = 0;
    int worstFrames = 0;
};

DriftFigures sampleDrift(Channels &channels, int seconds)
{
    DriftFigures figures;
    for (int second = 0; second < seconds; ++second) {
        QTest::qWait(1000);
        const auto drift = channels.frameDrift();
        ++figures.samples;
        if (!drift) {
            ++figures.unreadable;
            continue;
        }
        figures.worstFrames = std::max(figures.worstFrames, std::abs(*drift));
    }
    return figures;
}

void printDrift(const char *label, const DriftFigures &figures)
{
    std::printf("%-28s samples %d, unreadable %d, worst %d frames (%.0f ms)\n", label, figures.samples,
                figures.unreadable, figures.worstFrames, figures.worstFrames * 1000.0 / kFramesPerSecond);
}

// Drift 0.5 s after an action has been taken (after its last delayed step, for
// an action that has such steps), then once more a second later.
void measureAfter(Channels &channels, const char *label, int lastStepMs, const std::function<void()> &action)
{
    action();
    for (int waitMs : {lastStepMs + 500, 1000}) {
        QTest::qWait(waitMs);
        const auto drift = channels.frameDrift();
        if (drift)
            std::printf("%-28s %+d frames at +%d ms\n", label, *drift, waitMs == 1000 ? lastStepMs + 1500 : waitMs);
        else
            std::printf("%-28s strips unreadable\n", label);
    }
}

// The heard channel changes by switching the audio track of the one core: the pictures
// must run on through it, 30 frames in a second at 1x.
void measureAudioSwitch(Channels &channels, const std::function<void()> &toggle)
{
    const auto before = channels.frame(View::Main);
    toggle();
    QTest::qWait(1000);
    const auto after = channels.frame(View::Main);
    const auto drift = channels.frameDrift();
    if (before && after && drift)
        std::printf("%-28s %d frames shown in the second after it, drift %+d frames\n", "audio switch:",
                    static_cast<int>(*after) - static_cast<int>(*before), *drift);
    else
        std::printf("%-28s strips unreadable\n", "audio switch:");
}

QString makeCard(const QString &folder, const QStringList &arguments)
{
    QProcess generator;
    generator.start(QStringLiteral(TOVIK_DEMO_CARD_PROGRAM), arguments + QStringList{folder});
    if (!generator.waitForFinished(1200000) || generator.exitCode() != 0)
        return {};
    return folder;
}

bool openCard(VRDAppDelegate &app, const QString &card, std::size_t count)
{
    app.openMediaDirectory(card);
    return QTest::qWaitFor([&] { return app.mediaList().count() == count; }, 10000);
}

double cpuSeconds(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// CPU seconds of this process over kCpuSeconds of the 1080p pair, then of two plain
// mpv players showing the same files in windows of the views' sizes.
void measureCpu(VRDAppDelegate &app, Channels &channels, const QString &card)
{
    if (!openCard(app, card, 2)) {
        std::printf("1080p pair: not listed\n");
        return;
    }
    VRDDualPlaybackController &playback = app.playback();
    playback.stopPlay();
    QSignalSpy started(&playback, &VRDDualPlaybackController::playbackStarted);
    playback.playAtIndex(0);
    if (!started.wait(20000)) {
        std::printf("1080p pair: did not start\n");
        return;
    }
    QTest::qWait(1000);
    const double before = cpuSeconds(RUSAGE_SELF);
    QTest::qWait(kCpuSeconds * 1000);
    const double player = cpuSeconds(RUSAGE_SELF) - before;
    const QSize mainSize = channels.view(View::Main)->size();
    const QSize subSize = channels.view(View::Sub)->size();
    const QString front = app.engine().media(View::Main);
    const QString rear = app.engine().media(View::Sub);
    playback.stopPlay();

    const double childrenBefore = cpuSeconds(RUSAGE_CHILDREN);
    std::vector<std::unique_ptr<QProcess>> players;
    for (const auto &[file, size] : {std::pair{front, mainSize}, std::pair{rear, subSize}}) {
        auto mpv = std::make_unique<QProcess>();
        mpv->start(QStringLiteral("mpv"),
                   {"--no-config", "--really-quiet", "--vo=gpu", "--gpu-context=x11egl", "--ao=null",
                    QString("--geometry=%1x%2").arg(size.width()).arg(size.height()), "--start=1",
                    QString("--length=%1").arg(kCpuSeconds), file});
        players.push_back(std::move(mpv));
    }
    for (auto &mpv : players)
        mpv->waitForFinished((kCpuSeconds + 60) * 1000);
    const double plain = cpuSeconds(RUSAGE_CHILDREN) - childrenBefore;
    std::printf("CPU over %d s of the 1080p pair: player %.1f s, two plain mpv %.1f s, ratio %.2fx\n", kCpuSeconds,
                player, plain, plain > 0 ? player / plain : 0.0);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    TKLocalization::install(application);

    QTemporaryDir scratch;
    const QString card = makeCard(scratch.filePath("card"), {"--duration", "130", "--count", "4"});
    if (card.isEmpty()) {
        std::fprintf(stderr, "tovik-demo-card failed\n");
        return 1;
    }

    VRDAppDelegate::Options options;
    options.loadMapPage = false;
    options.silentAudio = true;
    VRDAppDelegate app(options);
    app.applicationDidFinishLaunching();
    app.window().show();
    if (!openCard(app, card, 4)) {
        std::fprintf(stderr, "the card was not listed\n");
        return 1;
    }
    Channels channels{app};
    VRDDualPlaybackController &playback = app.playback();

    std::vector<qint64> startTimes;
    int moving = 0;
    for (int run = 0; run < kCountedStarts; ++run) {
        playback.stopPlay();
        QTest::qWait(300);
        QElapsedTimer clock;
        clock.start();
        emit app.changeAndPlayRequested(run % 2 == 0 ? 0 : 2);
        const bool shown = QTest::qWaitFor([&] {
            return app.engine().isPlaying() && channels.frameDrift().has_value();
        }, 15000);
        if (shown && run < kTimedStarts)
            startTimes.push_back(clock.elapsed());
        moving += shown && channels.bothMoving() ? 1 : 0;
    }
    std::sort(startTimes.begin(), startTimes.end());
    if (startTimes.empty()) {
        std::fprintf(stderr, "no start showed both pictures\n");
        return 1;
    }
    std::printf("double click to first frame of both views: median %lld ms, fastest %lld ms, slowest %lld ms (%zu runs)\n",
                static_cast<long long>(startTimes[startTimes.size() / 2]), static_cast<long long>(startTimes.front()),
                static_cast<long long>(startTimes.back()), startTimes.size());
    std::printf("starts tried %d, with both channels moving %d\n", kCountedStarts, moving);

    playback.stopPlay();
    QSignalSpy started(&playback, &VRDDualPlaybackController::playbackStarted);
    playback.playAtIndex(0);
    started.wait(15000);
    printDrift("drift at 1x over 60 s:", sampleDrift(channels, 60));

    playback.videoPositionSliderMoved(0.05);
    QTest::qWait(1500);
    playback.increaseSpeed();
    printDrift("drift at 2x over 60 s:", sampleDrift(channels, 60));
    playback.decreaseSpeed();
    // A slow machine stretches the sampling minute: the recording may have reached its
    // end and paused there, and the actions below are to be measured while it plays.
    if (!app.engine().isPlaying()) {
        playback.videoPositionSliderMoved(0.2);
        QTest::qWait(500);
        playback.clickPlayButton();
        QTest::qWait(1000);
    }

    measureAfter(channels, "slider seek to 0.3:", 0, [&] { playback.videoPositionSliderMoved(0.3); });
    measureAfter(channels, "jump forward 10 s:", 0, [&] { playback.jumpForward(); });
    measureAfter(channels, "jump backward 10 s:", 0, [&] { playback.jumpBackward(); });
    measureAfter(channels, "swap:", 1700, [&] { playback.swapPlayer(); });
    measureAudioSwitch(channels, [&] { app.ui().audioToggleButton->click(); });
    measureAfter(channels, "pause, seek 0.6, play:", 0, [&] {
        playback.clickPlayButton();
        QTest::qWait(300);
        playback.videoPositionSliderMoved(0.6);
        QTest::qWait(500);
        playback.clickPlayButton();
    });
    measureAfter(channels, "pause, 3 frames on, 1 back:", 0, [&] {
        playback.clickPlayButton();
        QTest::qWait(300);
        for (int step = 0; step < 3; ++step) {
            playback.stepForward();
            QTest::qWait(150);
        }
        playback.stepBackward();
    });
    playback.clickPlayButton();
    measureAfter(channels, "auto-next:", 0, [&] {
        started.clear();
        playback.videoPositionSliderMoved(0.985);
        started.wait(15000);
    });

    const QString camera = makeCard(scratch.filePath("camera"), {"--duration", "65", "--count", "2", "--width", "1920",
                                                                 "--height", "1080", "--detail", "--bitrate", "14000"});
    if (camera.isEmpty())
        std::printf("1080p pair: tovik-demo-card failed\n");
    else
        measureCpu(app, channels, camera);
    playback.stopPlay();
    return 0;
}
