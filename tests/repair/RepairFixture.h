#pragma once

// Recordings for the recovery tests: a demo recording re-laid as the camera
// streams it (data chunks between the media samples), and copies of it cut
// off at chosen offsets, as a power loss leaves them.
#include "demo/BlackBoxRecordWriter.h"
#include "demo/DemoCardPlan.h"
#include "demo/InterleavedRecordingWriter.h"
#include "MediaTools.h"

#include <QString>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace RepairFixture {

using Bytes = std::vector<std::uint8_t>;

constexpr int kSeconds = 4;
constexpr int kWidth = 128;
constexpr int kHeight = 72;
constexpr int kFps = 10;

inline Bytes readFile(const std::string &path)
{
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), {});
}

inline void writeFile(const std::string &path, const Bytes &bytes, std::size_t length)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(std::min(length, bytes.size())));
}

inline std::vector<BlackBoxSample> samples()
{
    const DemoCardPlan plan({.durationSeconds = kSeconds, .count = 1, .seed = 1});
    return plan.samplesOf(plan.recordings().front());
}

// A demo card of one front/rear pair at the given picture size; empty on failure.
inline QString makeCard(const QString &folder, int width = kWidth, int height = kHeight)
{
    return MediaTools::makeDemoCard(folder, {"--duration", QString::number(kSeconds), "--width", QString::number(width),
                                             "--height", QString::number(height), "--fps", QString::number(kFps),
                                             "--count", "2"});
}

// The demo recording at `source` re-laid with interleaved data chunks at `target`.
inline void interleave(const std::string &source, const std::string &target)
{
    std::vector<Bytes> chunks;
    for (const BlackBoxSample &sample : samples())
        chunks.push_back(BlackBoxRecordWriter::encodeChunk(sample));
    std::filesystem::create_directories(std::filesystem::path(target).parent_path());
    InterleavedRecordingWriter::write(readFile(source), chunks, 100, target);
}

} // namespace RepairFixture
