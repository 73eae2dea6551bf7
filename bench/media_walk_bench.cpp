// The recording walk of a full card against `find DIR -iname '*.mp4'` over
// the same tree (warm cache): the walk should stay within 1.5x of find.
#include "media/VRDMediaWalker.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

constexpr int kKinds = 3;
constexpr int kDaysPerKind = 10;
constexpr int kRecordingsPerDay = 500;

// A card of 15000 empty recordings: DCIM/<kind>/<day>/<name>, front and rear
// files in turn, plus a few files of other kinds on the way.
std::string buildCard()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "tovik-walk-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot make a scratch folder");
    const char *prefixes[kKinds] = {"alwa_", "event_", "motion_"};
    const char *folders[kKinds] = {"Normal", "Event", "Motion"};
    for (int kind = 0; kind < kKinds; ++kind) {
        for (int day = 0; day < kDaysPerKind; ++day) {
            const std::filesystem::path folder = std::filesystem::path(pattern) / "DCIM" / folders[kind]
                / ("2023-01-" + std::to_string(10 + day));
            std::filesystem::create_directories(folder);
            for (int i = 0; i < kRecordingsPerDay; ++i) {
                char name[64];
                std::snprintf(name, sizeof name, "%s202301%02d_%02d%02d%02d_%c.MP4", prefixes[kind], 10 + day,
                    i / 120, i / 2 % 60, 0, i % 2 == 0 ? 'F' : 'R');
                const int fd = ::open((folder / name).c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
                if (fd < 0)
                    throw std::runtime_error("cannot create " + (folder / name).string());
                ::close(fd);
            }
            const int other = ::open((folder / "thumbs.db").c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
            if (other >= 0)
                ::close(other);
        }
    }
    return pattern;
}

const std::string &card()
{
    static const std::string path = buildCard();
    return path;
}

void BM_MediaWalk(benchmark::State &state)
{
    std::size_t found = 0;
    for (auto _ : state) {
        const VRDMediaCatalog catalog = VRDMediaWalker::walk(card());
        found = catalog.count();
        benchmark::DoNotOptimize(found);
    }
    state.counters["recordings"] = static_cast<double>(found);
}

double seconds(const timeval &time)
{
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

// find, started with an argument vector and its output thrown away.
void BM_FindMp4(benchmark::State &state)
{
    std::string program = "find";
    std::string namePattern = "*.mp4";
    std::string option = "-iname";
    std::string directory = card();
    std::vector<char *> argv{program.data(), directory.data(), option.data(), namePattern.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    double childCpuSeconds = 0;
    for (auto _ : state) {
        pid_t child = 0;
        if (::posix_spawnp(&child, "find", &actions, nullptr, argv.data(), environ) != 0) {
            state.SkipWithError("cannot start find");
            break;
        }
        int status = 0;
        rusage usage{};
        if (::wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("find failed");
            break;
        }
        childCpuSeconds += seconds(usage.ru_utime) + seconds(usage.ru_stime);
    }
    posix_spawn_file_actions_destroy(&actions);
    // The benchmark's own CPU column counts only this process; find's CPU time is here.
    state.counters["find_cpu_ms"] = benchmark::Counter(childCpuSeconds * 1000.0, benchmark::Counter::kAvgIterations);
}

} // namespace

BENCHMARK(BM_MediaWalk)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FindMp4)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    const std::string directory = card();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    std::filesystem::remove_all(directory, ignored);
    return 0;
}
