// Extraction of a one-minute recording (600 samples spread through ~40 MB of
// media data) against the floor: reading the same 210-byte chunks with one
// pread each at offsets already known. Both run on a warm page cache.
#include "blackbox/VRDBlackBoxData.h"
#include "demo/BlackBoxRecordWriter.h"
#include "demo/CameraMp4Writer.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int kSamples = 600;
constexpr std::size_t kMediaBetweenSamples = 64 * 1024;

struct Recording {
    std::string path;
    std::vector<std::uint64_t> chunkOffsets;
};

Recording writeRecording(const std::filesystem::path &folder)
{
    CameraMp4Writer writer;
    writer.setDurationMs(60000);
    Recording recording;
    const CameraMp4Writer::Bytes media(kMediaBetweenSamples, 0x5A);
    for (int i = 0; i < kSamples; ++i) {
        BlackBoxSample sample;
        sample.time = 1710486725u + static_cast<std::uint32_t>(i / 10);
        sample.gX = i % 37;
        sample.gY = -i % 23;
        sample.gZ = 256;
        sample.latitude = 4808.343 + i * 0.001;
        sample.longitude = 1133.954;
        sample.speed = i % 60;
        sample.hdop = 0.9;
        sample.satellites = 9.0;
        if (i % 10 == 0)
            sample.nmea = "$GPRMC,071205.000,A,4808.343,N,01133.954,E,10.5,188.0,150324,,*00\r\n";
        writer.appendMedia(media);
        recording.chunkOffsets.push_back(writer.appendDataChunk(BlackBoxRecordWriter::encodeChunk(sample)));
    }
    recording.path = (folder / "alwa_20240315_071205_F.mp4").string();
    writer.writeFile(recording.path);
    return recording;
}

void extract(benchmark::State &state, const Recording &recording)
{
    VRDBlackBoxData data;
    for (auto _ : state) {
        if (!data.ExtractStreamInformation(recording.path))
            state.SkipWithError("extraction failed");
        benchmark::DoNotOptimize(data.GSensors().data());
    }
    state.counters["samples"] = static_cast<double>(data.GSensors().size());
}

void preadKnownOffsets(benchmark::State &state, const Recording &recording)
{
    std::uint8_t chunk[BlackBoxRecordWriter::kChunkSize];
    for (auto _ : state) {
        const int descriptor = ::open(recording.path.c_str(), O_RDONLY | O_CLOEXEC);
        if (descriptor < 0) {
            state.SkipWithError("cannot open the recording");
            break;
        }
        for (std::uint64_t offset : recording.chunkOffsets) {
            if (::pread(descriptor, chunk, sizeof chunk, static_cast<off_t>(offset)) != static_cast<ssize_t>(sizeof chunk))
                state.SkipWithError("short read");
            benchmark::DoNotOptimize(chunk);
        }
        ::close(descriptor);
    }
}

} // namespace

int main(int argc, char **argv)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path()
        / ("tovik_blackbox_bench_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const Recording recording = writeRecording(folder);
    benchmark::RegisterBenchmark("ExtractStreamInformation/600_samples_40MB", extract, recording)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("PreadKnownOffsets/600_chunks", preadKnownOffsets, recording)->Unit(benchmark::kMicrosecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return 0;
}
