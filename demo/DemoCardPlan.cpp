#include "demo/DemoCardPlan.h"

#include <chrono>
#include <cstdio>
#include <stdexcept>

namespace {

constexpr int kImpactPercent = 40;

} // namespace

DemoCardPlan::DemoCardPlan(const Settings &settings)
    : m_settings(settings)
    , m_recordings(recordingsFor(settings))
    , m_oddFiles(oddFilesBeside())
    , m_drive(settings.seed, kStartUtcSeconds, impactSamples(m_recordings))
{
}

std::vector<DemoCardPlan::Recording> DemoCardPlan::recordingsFor(const Settings &settings)
{
    if (settings.durationSeconds < 1)
        throw std::invalid_argument("a recording lasts at least one second");
    if (settings.count < 1)
        throw std::invalid_argument("a card holds at least one recording");
    std::vector<Recording> recordings;
    const auto samplesPerSlot = static_cast<std::uint64_t>(settings.durationSeconds) * DemoDrive::kSamplesPerSecond;
    std::uint64_t slotIndex = 0;
    for (const Slot &slot : slotsFor(settings)) {
        const std::int64_t localStart = kStartUtcSeconds + kLocalUtcOffsetSeconds
            + static_cast<std::int64_t>(slotIndex) * settings.durationSeconds;
        const std::string folder = slot.folder[0] != '\0' ? std::string(slot.folder) + "/" : std::string();
        const std::string stem = folder + slot.prefix + timeField(localStart);
        const std::uint64_t firstSample = slotIndex * samplesPerSlot;
        const auto add = [&](Camera camera, const char *suffix) {
            if (static_cast<int>(recordings.size()) < settings.count)
                recordings.push_back({stem + suffix + "." + slot.extension, camera, firstSample, samplesPerSlot, slot.hasImpact});
        };
        add(Camera::Front, "_F");
        if (slot.hasRear && !settings.frontOnly)
            add(Camera::Rear, "_R");
        ++slotIndex;
    }
    return recordings;
}

std::vector<DemoCardPlan::OddFile> DemoCardPlan::oddFilesBeside()
{
    const std::string firstName = "alwa_" + timeField(kStartUtcSeconds + kLocalUtcOffsetSeconds);
    return {{firstName + "_F.mov"}, {firstName.substr(0, firstName.size() - 1) + "_F.MP4"}};
}

std::vector<BlackBoxSample> DemoCardPlan::samplesOf(const Recording &recording) const
{
    std::vector<BlackBoxSample> samples;
    samples.reserve(recording.sampleCount);
    for (std::uint64_t i = 0; i < recording.sampleCount; ++i)
        samples.push_back(m_drive.sampleAt(recording.firstSample + i));
    return samples;
}

std::vector<DemoCardPlan::Slot> DemoCardPlan::slotsFor(const Settings &settings)
{
    std::vector<Slot> slots{
        {"alwa_", "MP4", "", true, false},
        {"alwa_", "MP4", "", true, false},
        {"motion_", "mp4", "", true, false},
        {"event_", "MP4", "", true, true},
        {"evtA_", "MP4", "", true, false},
        {"evtF_", "MP4", "EVENT", true, false},
        {"evtLL_", "MP4", "", true, false},
        {"evtLR_", "MP4", "", true, false},
        {"alwa_", "MP4", "", false, false},
    };
    // Larger cards go on with always-on pairs (or front files alone).
    const int filesPerSlot = settings.frontOnly ? 1 : 2;
    for (int files = settings.frontOnly ? static_cast<int>(slots.size()) : kStandardRecordingCount; files < settings.count;
         files += filesPerSlot)
        slots.push_back({"alwa_", "MP4", "", true, false});
    return slots;
}

std::string DemoCardPlan::timeField(std::int64_t localSeconds)
{
    using namespace std::chrono;
    const sys_seconds time{seconds(localSeconds)};
    const sys_days day = floor<days>(time);
    const year_month_day date{day};
    const hh_mm_ss clock{time - day};
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02u%02u_%02d%02d%02d", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                  static_cast<int>(clock.hours().count()), static_cast<int>(clock.minutes().count()),
                  static_cast<int>(clock.seconds().count()));
    return text;
}

std::set<std::uint64_t> DemoCardPlan::impactSamples(const std::vector<Recording> &recordings)
{
    std::set<std::uint64_t> samples;
    for (const Recording &recording : recordings) {
        if (recording.hasImpact)
            samples.insert(recording.firstSample + recording.sampleCount * kImpactPercent / 100);
    }
    return samples;
}
