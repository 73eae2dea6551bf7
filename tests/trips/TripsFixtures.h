#pragma once

#include "demo/BlackBoxRecordWriter.h"
#include "demo/CameraMp4Writer.h"
#include "demo/NmeaSentenceWriter.h"
#include "media/VRDMedia.h"
#include "trips/VRDTripRecording.h"

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// Recordings and tracks made in memory for the trips tests.
namespace TripsFixtures {

// 2024-03-15 07:12:00 UTC.
inline constexpr std::int64_t kMorningUtc = 1710486720;

// A sample of a car at rest (1 g on Z) with a good fix at the given place,
// time value `second`.
inline BlackBoxSample sample(std::uint32_t second, double latitudeDegrees = 48.1, double longitudeDegrees = 11.5,
                             std::int32_t kmh = 36)
{
    BlackBoxSample s;
    s.time = second;
    s.gZ = 256;
    s.latitude = NmeaSentenceWriter::nmeaCoordinate(latitudeDegrees);
    s.longitude = NmeaSentenceWriter::nmeaCoordinate(longitudeDegrees);
    s.flags = 0x30;
    s.speed = kmh;
    s.hdop = 0.9;
    s.satellites = 8;
    return s;
}

inline std::string rmc(std::int64_t utcSeconds, bool active = true)
{
    NmeaFix fix;
    const std::int64_t days = utcSeconds / 86400;
    const std::int64_t ofDay = utcSeconds % 86400;
    // Only March 2024 is used by these tests.
    fix.year = 2024;
    fix.month = 3;
    fix.day = static_cast<int>(days - 19782);
    fix.hour = static_cast<int>(ofDay / 3600);
    fix.minute = static_cast<int>(ofDay / 60 % 60);
    fix.second = static_cast<int>(ofDay % 60);
    fix.latitudeDegrees = 48.1;
    fix.longitudeDegrees = 11.5;
    fix.valid = active;
    return NmeaSentenceWriter::rmc(fix) + "\r\n";
}

inline std::vector<std::uint8_t> recording(const std::vector<BlackBoxSample> &samples)
{
    CameraMp4Writer writer;
    for (const BlackBoxSample &s : samples) {
        writer.appendMedia(CameraMp4Writer::Bytes(16, 0xAB));
        writer.appendDataChunk(BlackBoxRecordWriter::encodeChunk(s));
    }
    return writer.build().bytes;
}

inline void writeFile(const std::string &path, const std::vector<std::uint8_t> &bytes)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A track sampled ten times a second for `seconds`, driving east at `kmh`
// with good fixes from `startMetres` east of 48.1 N 11.5 E, counted from
// `baseUtc`.
inline VRDRecordingTrack drivingTrack(double baseUtc, int seconds, double kmh = 36.0, double startMetres = 0.0)
{
    VRDRecordingTrack track;
    track.readable = true;
    track.rmcBaseUtc = baseUtc;
    const double metresPerDegree = 111195.0 * std::cos(48.1 * 3.141592653589793 / 180.0);
    for (int i = 0; i < seconds * 10; ++i) {
        VRDTrackSample s;
        s.offsetSeconds = static_cast<float>(i) / 10.0f;
        const double metres = startMetres + kmh / 3.6 * s.offsetSeconds;
        s.validFix = true;
        s.latitudeE7 = 481000000;
        s.longitudeE7 = static_cast<std::int32_t>(std::lround((11.5 + metres / metresPerDegree) * 1e7));
        s.speedCentiKmh = static_cast<std::uint16_t>(std::lround(kmh * 100));
        track.samples.push_back(s);
    }
    return track;
}

// A recording of the given name ("alwa_20240315_081200_F.MP4") with a track.
inline VRDTripRecording moment(const std::string &name, VRDRecordingTrack track)
{
    return {VRDMedia::mediaWithPath("/card/" + name), std::move(track)};
}

} // namespace TripsFixtures
