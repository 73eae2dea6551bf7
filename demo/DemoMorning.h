#pragma once

#include "demo/DemoCardPlan.h"
#include "demo/DemoDrive.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// A morning of driving on the day after the standard card's recordings:
// a first drive, a long stop with the car parked (motion recordings), and a
// second drive that carries on from where the car was parked, with an impact
// in its event recording. Front and rear files of every moment.
class DemoMorning {
public:
    // Saturday 2024-03-16 in Munich (UTC+1): first drive from 07:30:00,
    // parked from 07:50:00 to past 08:40, second drive from 09:15:00.
    static constexpr std::int64_t kFirstDriveUtc = 1710570600;
    static constexpr std::int64_t kParkingUtc = kFirstDriveUtc + 20 * 60;
    static constexpr std::int64_t kSecondParkingUtc = kFirstDriveUtc + 70 * 60;
    static constexpr std::int64_t kSecondDriveUtc = kFirstDriveUtc + 105 * 60;
    static constexpr int kFirstDriveRecordings = 3;
    // Always, always, event, always.
    static constexpr int kSecondDriveRecordings = 4;

    DemoMorning(int durationSeconds, std::uint64_t seed);

    // In the library's order: by time, front before rear.
    const std::vector<DemoCardPlan::Recording> &recordings() const { return m_recordings; }
    std::vector<BlackBoxSample> samplesOf(const DemoCardPlan::Recording &recording) const;

private:
    enum class Source { FirstDrive, Parked, SecondDrive };
    struct Part {
        Source source;
        std::int64_t startUtc;
    };

    void add(const char *prefix, Source source, std::int64_t startUtc, std::uint64_t firstSample, bool hasImpact);
    BlackBoxSample parkedSample(std::int64_t startUtc, std::uint64_t index) const;

    int m_durationSeconds;
    DemoDrive m_firstDrive;
    DemoDrive m_secondDrive;
    std::uint64_t m_parkedIndex;
    std::vector<DemoCardPlan::Recording> m_recordings;
    std::map<std::string, Part> m_parts;
};
