#include "demo/DemoMorning.h"

#include "demo/DemoCardPlan.h"
#include "demo/NmeaSentenceWriter.h"

#include <cmath>

namespace {

constexpr int kImpactPercent = 40;

double degreesOf(double nmea)
{
    const double whole = std::floor(nmea / 100.0);
    return whole + (nmea - whole * 100.0) / 60.0;
}

NmeaFix fixAt(std::int64_t utcSeconds, double latitude, double longitude)
{
    NmeaFix fix = NmeaFix::at(utcSeconds);
    fix.latitudeDegrees = latitude;
    fix.longitudeDegrees = longitude;
    fix.satellitesUsed = 8;
    fix.hdop = 1.1;
    fix.altitudeMetres = 519.0;
    return fix;
}

} // namespace

DemoMorning::DemoMorning(int durationSeconds, std::uint64_t seed)
    : m_durationSeconds(durationSeconds)
    , m_firstDrive(seed, kFirstDriveUtc, {})
    // The second drive goes on along the route from where the first ended;
    // its sample indexes continue the first drive's, its clock starts later.
    , m_secondDrive(seed, kSecondDriveUtc - kFirstDriveRecordings * durationSeconds,
                    {static_cast<std::uint64_t>((kFirstDriveRecordings + 2) * durationSeconds * DemoDrive::kSamplesPerSecond
                                                + durationSeconds * DemoDrive::kSamplesPerSecond * kImpactPercent / 100)})
    , m_parkedIndex(static_cast<std::uint64_t>(kFirstDriveRecordings * durationSeconds * DemoDrive::kSamplesPerSecond) - 1)
{
    const auto perRecording = static_cast<std::uint64_t>(durationSeconds) * DemoDrive::kSamplesPerSecond;
    for (int i = 0; i < kFirstDriveRecordings; ++i)
        add("alwa_", Source::FirstDrive, kFirstDriveUtc + i * durationSeconds, i * perRecording, false);
    add("motion_", Source::Parked, kParkingUtc, 0, false);
    add("motion_", Source::Parked, kSecondParkingUtc, 0, false);
    const char *secondPrefixes[kSecondDriveRecordings] = {"alwa_", "alwa_", "event_", "alwa_"};
    for (int i = 0; i < kSecondDriveRecordings; ++i) {
        add(secondPrefixes[i], Source::SecondDrive, kSecondDriveUtc + i * durationSeconds,
            (kFirstDriveRecordings + i) * perRecording, i == 2);
    }
}

void DemoMorning::add(const char *prefix, Source source, std::int64_t startUtc, std::uint64_t firstSample, bool hasImpact)
{
    const std::string stem = prefix + DemoCardPlan::timeField(startUtc + DemoCardPlan::kLocalUtcOffsetSeconds);
    const auto samples = static_cast<std::uint64_t>(m_durationSeconds) * DemoDrive::kSamplesPerSecond;
    for (const auto &[camera, suffix] : {std::pair{DemoCardPlan::Camera::Front, "_F.MP4"}, std::pair{DemoCardPlan::Camera::Rear, "_R.MP4"}}) {
        m_recordings.push_back({stem + suffix, camera, firstSample, samples, hasImpact});
        m_parts[m_recordings.back().relativePath] = {source, startUtc};
    }
}

std::vector<BlackBoxSample> DemoMorning::samplesOf(const DemoCardPlan::Recording &recording) const
{
    const Part &part = m_parts.at(recording.relativePath);
    std::vector<BlackBoxSample> samples;
    samples.reserve(recording.sampleCount);
    for (std::uint64_t i = 0; i < recording.sampleCount; ++i) {
        switch (part.source) {
        case Source::FirstDrive:
            samples.push_back(m_firstDrive.sampleAt(recording.firstSample + i));
            break;
        case Source::SecondDrive:
            samples.push_back(m_secondDrive.sampleAt(recording.firstSample + i));
            break;
        case Source::Parked:
            samples.push_back(parkedSample(part.startUtc, i));
            break;
        }
    }
    return samples;
}

// The car stands where the first drive ended: no speed, the G-sensor at
// rest with a slight tremor, the receiver still sending its fix.
BlackBoxSample DemoMorning::parkedSample(std::int64_t startUtc, std::uint64_t index) const
{
    BlackBoxSample sample = m_firstDrive.sampleAt(m_parkedIndex);
    const std::int64_t utc = startUtc + static_cast<std::int64_t>(index / DemoDrive::kSamplesPerSecond);
    sample.time = static_cast<std::uint32_t>(utc);
    sample.speed = 0;
    sample.gX = static_cast<std::int32_t>(index % 3) - 1;
    sample.gY = static_cast<std::int32_t>(index % 5 == 0);
    sample.gZ = 256;
    sample.hdop = 1.1;
    sample.satellites = 8;
    NmeaFix fix = fixAt(utc, degreesOf(sample.latitude), degreesOf(sample.longitude));
    fix.millisecond = static_cast<int>(index % DemoDrive::kSamplesPerSecond) * 1000 / DemoDrive::kSamplesPerSecond;
    switch (index % DemoDrive::kSamplesPerSecond) {
    case 0:
        sample.nmea = NmeaSentenceWriter::rmc(fix) + "\r\n";
        break;
    case 1:
        sample.nmea = NmeaSentenceWriter::gga(fix) + "\r\n";
        break;
    default:
        sample.nmea.clear();
        break;
    }
    return sample;
}
