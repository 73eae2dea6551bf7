#pragma once

#include "demo/DemoDrive.h"

#include <cstdint>
#include <string>
#include <vector>

// What the demo card holds, before any file is written: every recording with
// its name, folder, camera and stretch of the drive, and the odd files that a
// card collects. Plain data, so tests can make the same plan and compare what
// they read back with what was written.
class DemoCardPlan {
public:
    struct Settings {
        int durationSeconds = 10;
        int count = kStandardRecordingCount; // recording files
        std::uint64_t seed = 1;
        bool frontOnly = false; // no rear camera: one file per moment
    };

    enum class Camera { Front, Rear };

    struct Recording {
        std::string relativePath; // "/"-separated, from the card root
        Camera camera = Camera::Front;
        std::uint64_t firstSample = 0;
        std::uint64_t sampleCount = 0;
        bool hasImpact = false;
    };

    // Files that are not recordings to the library: another extension, and
    // a name that fails the acceptance test. Both hold a copy of the first
    // recording, so a library that wrongly took them would show it.
    struct OddFile {
        std::string relativePath;
    };

    // Every kind and prefix once, with pairs, a subfolder and a lone front file.
    static constexpr int kStandardRecordingCount = 17;
    // The drive starts on Friday 2024-03-15 at 08:12:00 in Munich (UTC+1).
    static constexpr std::int64_t kStartUtcSeconds = 1710486720;
    static constexpr int kLocalUtcOffsetSeconds = 3600;

    explicit DemoCardPlan(const Settings &settings);

    const std::vector<Recording> &recordings() const { return m_recordings; }
    const std::vector<OddFile> &oddFiles() const { return m_oddFiles; }
    const DemoDrive &drive() const { return m_drive; }
    // The samples in a recording's data track, in order.
    std::vector<BlackBoxSample> samplesOf(const Recording &recording) const;
    int durationSeconds() const { return m_settings.durationSeconds; }

    // A local time as the camera writes it into a file name: YYYYMMDD_hhmmss.
    static std::string timeField(std::int64_t localSeconds);

private:
    struct Slot {
        const char *prefix;
        const char *extension;
        const char *folder;
        bool hasRear;
        bool hasImpact;
    };

    static std::vector<Recording> recordingsFor(const Settings &settings);
    static std::vector<OddFile> oddFilesBeside();
    static std::vector<Slot> slotsFor(const Settings &settings);
    static std::set<std::uint64_t> impactSamples(const std::vector<Recording> &recordings);

    Settings m_settings;
    std::vector<Recording> m_recordings;
    std::vector<OddFile> m_oddFiles;
    DemoDrive m_drive;
};
