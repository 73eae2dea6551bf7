#include "demo/DemoCutOffEvent.h"

#include "demo/BlackBoxRecordWriter.h"
#include "demo/InterleavedRecordingWriter.h"

#include <filesystem>
#include <stdexcept>

namespace {

// 09:30:00 local, well after the standard card's recordings.
constexpr std::uint64_t kFirstSample = 78 * 60 * DemoDrive::kSamplesPerSecond;
constexpr std::uint32_t kDataDurationMs = 1000 / DemoDrive::kSamplesPerSecond;
// Where the power goes: the middle of the video sample at this share of the recording.
constexpr double kCutShare = 0.6;

} // namespace

bool DemoCutOffEvent::isCutOff(std::string_view fileName)
{
    return fileName == kCutOffFront || fileName == kCutOffRear;
}

bool DemoCutOffEvent::onCard(const DemoCardPlan::Settings &settings)
{
    return settings.count >= DemoCardPlan::kStandardRecordingCount;
}

DemoCutOffEvent::DemoCutOffEvent(const DemoCardPlan &plan)
    : m_plan(plan)
{
    // Always-on before, the event, always-on after; names 10 s apart as the
    // standard card's event is, whatever the recordings' length.
    const char *const names[] = {"alwa_20240315_093000", "event_20240315_093010", "alwa_20240315_093020"};
    const std::uint64_t samples = static_cast<std::uint64_t>(plan.durationSeconds()) * DemoDrive::kSamplesPerSecond;
    for (std::uint64_t slot = 0; slot < 3; ++slot) {
        for (const auto camera : {DemoCardPlan::Camera::Front, DemoCardPlan::Camera::Rear}) {
            const bool front = camera == DemoCardPlan::Camera::Front;
            m_recordings.push_back({std::string(names[slot]) + (front ? "_F.MP4" : "_R.MP4"), camera,
                                    kFirstSample + slot * samples, slot == 1});
        }
    }
}

std::vector<BlackBoxSample> DemoCutOffEvent::samplesOf(const Recording &recording) const
{
    std::vector<BlackBoxSample> samples;
    const std::uint64_t count = static_cast<std::uint64_t>(m_plan.durationSeconds()) * DemoDrive::kSamplesPerSecond;
    for (std::uint64_t i = 0; i < count; ++i)
        samples.push_back(m_plan.drive().sampleAt(recording.firstSample + i));
    return samples;
}

void DemoCutOffEvent::write(const std::string &folder, const std::map<DemoCardPlan::Camera, Bytes> &encoded) const
{
    for (const Recording &recording : m_recordings) {
        std::vector<Bytes> chunks;
        for (const BlackBoxSample &sample : samplesOf(recording))
            chunks.push_back(BlackBoxRecordWriter::encodeChunk(sample));
        const std::string path = folder + "/" + recording.relativePath;
        const auto videoSamples = InterleavedRecordingWriter::write(encoded.at(recording.camera), chunks, kDataDurationMs, path);
        if (!recording.cutOff || videoSamples.empty())
            continue;
        const auto &cutSample = videoSamples[static_cast<std::size_t>(kCutShare * static_cast<double>(videoSamples.size()))];
        std::error_code error;
        std::filesystem::resize_file(path, cutSample.offset + cutSample.size / 2, error);
        if (error)
            throw std::runtime_error("cannot cut " + path + " short: " + error.message());
    }
}
