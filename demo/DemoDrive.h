#pragma once

#include "demo/BlackBoxSample.h"
#include "demo/DemoRoute.h"

#include <cstdint>
#include <set>

// A plausible city drive, sampled ten times a second: stop-and-go traffic
// round the route, GPS precision and satellites that drift, accelerometer
// noise and a short impact spike at chosen samples. Every sample is a pure
// function of its index and the seed, so a recording's samples can be made
// again (by the tests) without replaying the drive.
class DemoDrive {
public:
    static constexpr int kSamplesPerSecond = 10;

    DemoDrive(std::uint64_t seed, std::int64_t startUtcSeconds, std::set<std::uint64_t> impactSamples);

    // Speed in whole km/h (flags kKilometresPerHour), time value in seconds
    // since 1970-01-01 00:00 UTC, text empty or one sentence ended by CR LF.
    BlackBoxSample sampleAt(std::uint64_t index) const;

    static constexpr std::int32_t kKilometresPerHour = 0x30;

    // Speed in km/h and distance in metres after t seconds of driving.
    static double speedKmh(double seconds);
    static double distanceMetres(double seconds);

private:
    double noise(std::uint64_t index, std::uint64_t channel) const; // uniform in [-1, 1)
    double impactG(std::uint64_t index) const;

    std::uint64_t m_seed;
    std::int64_t m_startUtcSeconds;
    std::set<std::uint64_t> m_impactSamples;
    DemoRoute m_route;
};
