#pragma once

#include <array>
#include <cstdint>

// What the whole-card index keeps of one sensor sample: its place in time,
// its record fix reduced to what a route needs, and how far the G-sensor was
// from the recording's resting value. Compact, because a card holds
// hundreds of thousands of them and they are cached on disk.
struct VRDTrackSample {
    // Seconds after the recording's clock base (VRDRecordingTrack).
    float offsetSeconds = 0.0f;
    // Signed degrees × 10^7; meaningful only when validFix is set.
    std::int32_t latitudeE7 = 0;
    std::int32_t longitudeE7 = 0;
    // Hundredths of km/h, whatever unit the camera recorded in.
    std::uint16_t speedCentiKmh = 0;
    bool validFix = false;
    // X, Y, Z minus the recording's median of each axis, in 1/256 g.
    std::array<std::int16_t, 3> deviation{};

    double latitude() const { return latitudeE7 / 1e7; }
    double longitude() const { return longitudeE7 / 1e7; }
    double speedKmh() const { return speedCentiKmh / 100.0; }

    friend bool operator==(const VRDTrackSample &, const VRDTrackSample &) = default;
};
