// The whole-card index on 1000 one-minute data-only recordings of 600
// samples each (tovik-demo-card --no-video --front-only --count 1000
// --duration 60), the page cache warm: with an empty disk cache (target
// 2 s) and with a warm one (target 0.3 s), both against extracting the same
// 1000 files one after another with the viewer's extractor.
#include "DataOnlyCard.h"
#include "blackbox/VRDBlackBoxData.h"
#include "media/VRDMediaWalker.h"
#include "trips/VRDCardTrips.h"
#include "trips/VRDTripChannel.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <ctime>

namespace {

constexpr int kRecordings = 1000;
constexpr int kRuns = 5;

double processCpuSeconds()
{
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

struct Timing {
    double wall; // median of the runs, seconds
    double cpu;  // processor time of the median run, all threads
};

// `before` runs untimed before each of kRuns runs. The processor time tells
// how much of the wall time a machine shared with other work took from us.
Timing median(const std::function<void()> &before, const std::function<void()> &work)
{
    std::vector<Timing> runs;
    for (int run = 0; run < kRuns; ++run) {
        before();
        const double cpuStart = processCpuSeconds();
        const auto start = std::chrono::steady_clock::now();
        work();
        runs.push_back({std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
                        processCpuSeconds() - cpuStart});
    }
    std::sort(runs.begin(), runs.end(), [](const Timing &a, const Timing &b) { return a.wall < b.wall; });
    return runs[runs.size() / 2];
}

} // namespace

int main()
{
    char pattern[] = "/tmp/tovik-trips-bench-XXXXXX";
    if (::mkdtemp(pattern) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::filesystem::path scratch = pattern;
    const std::string card = (scratch / "card").string();
    const std::string cacheFolder = (scratch / "cache").string();
    if (!makeDataOnlyCard(card, kRecordings)) {
        std::fprintf(stderr, "tovik-demo-card failed\n");
        return 1;
    }
    std::vector<std::string> paths;
    for (const auto &media : VRDTripChannel::recordingsOf(VRDMediaWalker::walk(card)))
        paths.push_back(media->path());
    if (paths.size() != kRecordings) {
        std::fprintf(stderr, "expected %d recordings, found %zu\n", kRecordings, paths.size());
        return 1;
    }

    std::size_t samples = 0;
    const auto nothing = [] {};
    // The first pass also fills the page cache.
    VRDBlackBoxData warmUp;
    for (const std::string &path : paths)
        samples += warmUp.ExtractStreamInformation(path) ? warmUp.Times().size() : 0;
    const Timing single = median(nothing, [&] {
        VRDBlackBoxData data;
        for (const std::string &path : paths)
            data.ExtractStreamInformation(path);
    });

    VRDCardTrips::Options options;
    options.cacheFolder = cacheFolder;
    VRDCardTrips::Result result;
    const Timing cold = median([&] { std::filesystem::remove_all(cacheFolder); },
                                      [&] { result = VRDCardTrips::read(card, options); });
    const bool coldExtracted = result.extracted == kRecordings && !result.cacheError;
    const Timing warm = median(nothing, [&] { result = VRDCardTrips::read(card, options); });
    const bool warmFromCache = result.fromCache == kRecordings;

    std::printf("card: %zu recordings, %zu samples, %u threads\n", paths.size(), samples, VRDCardIndex(nullptr).threadCount());
    std::printf("single-file extraction x %d, one after another: %7.3f s  (cpu %.3f s)\n", kRecordings, single.wall, single.cpu);
    std::printf("trips index, empty disk cache:               %7.3f s  (cpu %.3f s; %.2f x single; target <= 2 s: %s)%s\n",
                cold.wall, cold.cpu, cold.wall / single.wall, cold.wall <= 2.0 ? "met" : "MISSED",
                coldExtracted ? "" : "  [not every recording was read]");
    std::printf("trips index, warm disk cache:                %7.3f s  (cpu %.3f s; %.2f x single; target <= 0.3 s: %s)%s\n",
                warm.wall, warm.cpu, warm.wall / single.wall, warm.wall <= 0.3 ? "met" : "MISSED",
                warmFromCache ? "" : "  [not every recording came from the cache]");
    std::printf("(median of %d runs; page cache warm)\n", kRuns);
    std::error_code error;
    std::filesystem::remove_all(scratch, error);
    return 0;
}
