// Export speeds on a 1080p pair at 30 frames a second: the lossless cut of
// both channels and the side-by-side video (decode both, compose, encode
// with libx264), as a multiple of real time. Not a Google Benchmark: one
// long run says more than many short ones. Run: export_bench [SECONDS]
#include "export/VRDClipExporter.h"
#include "export/VRDClipPlanner.h"
#include "export/VRDClipSamples.h"
#include "export/VRDAvInput.h"
#include "export/VRDSideBySideExporter.h"
#include "media/VRDMediaWalker.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>

extern "C" {
#include <libavutil/log.h>
}

#include <algorithm>
#include <cstdio>

#include <sys/resource.h>

namespace {

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void print(const char *what, double clipSeconds, double wallSeconds, double cpu)
{
    // The machine may be shared: the CPU time per second of video tells
    // what two free cores would manage.
    std::printf("%-34s %6.2f s of video in %6.2f s: %6.2fx real time; %.2f CPU s, %.2fx real time on 2 free cores\n", what,
                clipSeconds, wallSeconds, clipSeconds / wallSeconds, cpu, 2 * clipSeconds / std::max(cpu, 1e-3));
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    av_log_set_level(AV_LOG_ERROR);
    const int seconds = argc > 1 ? std::max(2, std::atoi(argv[1])) : 20;

    QTemporaryDir scratch;
    const QString card = scratch.filePath("card");
    QProcess generator;
    generator.start(TOVIK_DEMO_CARD_PROGRAM, {card, "--duration", QString::number(seconds + 1), "--width", "1920", "--height",
                                              "1080", "--fps", "30", "--count", "2"});
    if (!generator.waitForFinished(-1) || generator.exitCode() != 0) {
        std::fprintf(stderr, "cannot write the demo card: %s\n", generator.readAllStandardError().constData());
        return 1;
    }
    const std::string file = (card + "/alwa_20240315_081200_F.MP4").toStdString();
    const double from = 0.5, to = 0.5 + seconds;

    VRDClipExporter::Request request;
    request.file = file;
    request.from = from;
    request.to = to;
    request.directory = scratch.filePath("lossless").toStdString();
    QElapsedTimer timer;
    double cpu = cpuSeconds();
    timer.start();
    const VRDClipExporter::Outcome lossless = VRDClipExporter::run(request, {});
    if (!lossless.ok) {
        std::fprintf(stderr, "lossless export failed: %s\n", lossless.error.c_str());
        return 1;
    }
    print("lossless, both channels, track", to - from, timer.elapsed() / 1000.0, cpuSeconds() - cpu);

    const VRDMediaCatalog catalog = VRDMediaWalker::walk(card.toStdString());
    const VRDClipPlanner planner(catalog, VRDAvInput::probeVideoDuration);
    const VRDClipPlanner::Result planned = planner.plan(file, from, to);
    std::string error;
    const std::optional<VRDClipSamples> samples = VRDClipSamples::read(planned.clip->channels.front().segments, error);
    for (const char *preset : {"veryfast", "superfast", "ultrafast"}) {
        VRDSideBySideExporter::Options options;
        options.preset = preset;
        cpu = cpuSeconds();
        timer.restart();
        if (!VRDSideBySideExporter::write(*planned.clip, *samples, scratch.filePath("pip.mp4").toStdString(), options, {}, error)) {
            std::fprintf(stderr, "side-by-side export failed: %s\n", error.c_str());
            return 1;
        }
        const std::string what = std::string("side-by-side 1080p, ") + preset;
        print(what.c_str(), to - from, timer.elapsed() / 1000.0, cpuSeconds() - cpu);
    }
    return 0;
}
