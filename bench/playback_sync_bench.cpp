// Start time and drift of the two channels on the demo card, read from the
// frame-number strips the two views show. Not a Google Benchmark: it needs a
// display and real time. Run: xvfb-run -a -s "-screen 0 1280x800x24" playback_sync_bench
#include "demo/FrameNumberStrip.h"
#include "player/VRDMediaEngine.h"
#include "player/VRDVideoView.h"
#include "ui_VRDMainWindow.h"
#include "viewer/VRDAppDelegate.h"
#include "viewer/VRDDualPlaybackController.h"
#include "viewer/VRDEngineSync.h"
#include "widgets/TKLocalization.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <clocale>
#include <cstdio>
#include <functional>
#include <optional>
#include <vector>

namespace {

constexpr int kFramesPerSecond = 30;

// The frame number a view shows, read from the picture area of its last frame.
std::optional<std::uint32_t> shownFrame(VRDVideoView *view, QSize videoSize)
{
    if (view == nullptr || videoSize.isEmpty())
        return std::nullopt;
    const QImage grabbed = view->grabFramebuffer();
    if (grabbed.isNull())
        return std::nullopt;
    const QSize fitted = videoSize.scaled(grabbed.size(), Qt::KeepAspectRatio);
    const QRect picture((grabbed.width() - fitted.width()) / 2, (grabbed.height() - fitted.height()) / 2,
                        fitted.width(), fitted.height());
    const QImage rgb = grabbed.copy(picture).convertToFormat(QImage::Format_RGB888);
    return FrameNumberStrip::decode(rgb.constBits(), rgb.width(), rgb.height(),
                                    static_cast<std::size_t>(rgb.bytesPerLine()));
}

struct Channels {
    VRDAppDelegate &app;

    VRDVideoView *view(int channel) const
    {
        auto *container = channel == 1 ? app.ui().videoContainerView : app.ui().subVideoContainerView;
        return qobject_cast<VRDVideoView *>(container->videoView());
    }

    // Follower frame minus master frame, when both strips read.
    std::optional<int> frameDrift() const
    {
        const auto first = shownFrame(view(1), app.player1().videoSize());
        const auto second = shownFrame(view(2), app.player2().videoSize());
        if (!first || !second)
            return std::nullopt;
        return static_cast<int>(*second) - static_cast<int>(*first);
    }
};

struct DriftFigures {
    int samples = 0;
    int unreadable = 0;
    int worstFrames = 0;
    qint64 worstEngineMs = 0;
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
        figures.worstEngineMs = std::max(figures.worstEngineMs,
                                         std::abs(channels.app.playback().engineSync().drift()));
    }
    return figures;
}

void printDrift(const char *label, const DriftFigures &figures)
{
    std::printf("%-28s samples %d, unreadable %d, worst %d frames (%.0f ms), worst engine-time drift %lld ms\n",
                label, figures.samples, figures.unreadable, figures.worstFrames,
                figures.worstFrames * 1000.0 / kFramesPerSecond, static_cast<long long>(figures.worstEngineMs));
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
            std::printf("%-28s %+d frames at +%d ms (engine-time drift %lld ms)\n", label, *drift,
                        waitMs == 1000 ? lastStepMs + 1500 : waitMs,
                        static_cast<long long>(channels.app.playback().engineSync().drift()));
        else
            std::printf("%-28s strips unreadable\n", label);
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    TKLocalization::install(application);

    QTemporaryDir scratch;
    const QString card = scratch.filePath("card");
    QProcess generator;
    generator.start(QStringLiteral(TOVIK_DEMO_CARD_PROGRAM), {"--duration", "130", "--count", "2", card});
    if (!generator.waitForFinished(600000) || generator.exitCode() != 0) {
        std::fprintf(stderr, "tovik-demo-card failed\n");
        return 1;
    }

    VRDAppDelegate::Options options;
    options.loadMapPage = false;
    options.silentAudio = true;
    VRDAppDelegate app(options);
    app.applicationDidFinishLaunching();
    app.window().show();
    app.openMediaDirectory(card);
    if (!QTest::qWaitFor([&] { return app.mediaList().count() == 2; }, 10000)) {
        std::fprintf(stderr, "the card was not listed\n");
        return 1;
    }
    Channels channels{app};
    VRDDualPlaybackController &playback = app.playback();

    std::vector<qint64> startTimes;
    for (int run = 0; run < 5; ++run) {
        playback.stopPlay();
        QTest::qWait(300);
        QElapsedTimer clock;
        clock.start();
        if (run == 0)
            emit app.changeAndPlayRequested(0);
        else
            playback.playAtIndex(0);
        const bool shown = QTest::qWaitFor([&] {
            return app.player1().isPlaying() && app.player2().isPlaying() && channels.frameDrift().has_value();
        }, 15000);
        if (shown)
            startTimes.push_back(clock.elapsed());
    }
    std::sort(startTimes.begin(), startTimes.end());
    if (startTimes.empty()) {
        std::fprintf(stderr, "no start showed both pictures\n");
        return 1;
    }
    std::printf("double click to first frame of both views: median %lld ms, fastest %lld ms, slowest %lld ms (%zu runs)\n",
                static_cast<long long>(startTimes[startTimes.size() / 2]), static_cast<long long>(startTimes.front()),
                static_cast<long long>(startTimes.back()), startTimes.size());

    printDrift("drift at 1x over 60 s:", sampleDrift(channels, 60));

    playback.videoPositionSliderMoved(0.05);
    QTest::qWait(1500);
    playback.increaseSpeed();
    printDrift("drift at 2x over 60 s:", sampleDrift(channels, 60));
    playback.decreaseSpeed();

    measureAfter(channels, "slider seek to 0.3:", 0, [&] { playback.videoPositionSliderMoved(0.3); });
    measureAfter(channels, "jump forward 10 s:", 0, [&] { playback.jumpForward(); });
    measureAfter(channels, "jump backward 10 s:", 0, [&] { playback.jumpBackward(); });
    measureAfter(channels, "swap:", 1700, [&] { playback.swapPlayer(); });
    measureAfter(channels, "pause, seek 0.6, play:", 0, [&] {
        playback.clickPlayButton();
        QTest::qWait(300);
        playback.videoPositionSliderMoved(0.6);
        QTest::qWait(500);
        playback.clickPlayButton();
    });
    playback.stopPlay();
    return 0;
}
