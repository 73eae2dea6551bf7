#include "demo/DemoDrive.h"

#include "demo/NmeaSentenceWriter.h"

#include <array>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

// Traffic repeats every minute: wait at a light, pull away, cruise, brake.
constexpr double kCycleSeconds = 60.0;
constexpr std::array<double, 4> kCruiseKmh{38.0, 46.0, 30.0, 52.0};
constexpr double kStandstillSeconds = 5.0;
constexpr double kRampSeconds = 10.0;
constexpr double kCruiseSeconds = 30.0;
constexpr double kGravity = 9.81;
constexpr double kRawPerG = 256.0;

constexpr std::array<int, 11> kGpsSatellites{2, 5, 7, 9, 13, 15, 18, 21, 24, 27, 30};
constexpr std::array<int, 7> kGlonassSatellites{65, 66, 72, 73, 74, 80, 81};

double cruiseOf(std::uint64_t cycle)
{
    return kCruiseKmh[cycle % kCruiseKmh.size()];
}

// Distance in km/h·s covered within one cycle after t seconds of it.
double cycleIntegral(double cruise, double t)
{
    const double rampEnd = kStandstillSeconds + kRampSeconds;
    const double cruiseEnd = rampEnd + kCruiseSeconds;
    const double slope = cruise / kRampSeconds;
    if (t <= kStandstillSeconds)
        return 0;
    if (t <= rampEnd)
        return slope / 2 * (t - kStandstillSeconds) * (t - kStandstillSeconds);
    const double afterRamp = slope / 2 * kRampSeconds * kRampSeconds;
    const double swell = 0.15 * cruise;
    if (t <= cruiseEnd) {
        const double u = t - rampEnd;
        return afterRamp + cruise * u
            + swell * kCruiseSeconds / (2 * std::numbers::pi) * (1 - std::cos(2 * std::numbers::pi * u / kCruiseSeconds));
    }
    const double afterCruise = afterRamp + cruise * kCruiseSeconds;
    const double u = std::min(t - cruiseEnd, kRampSeconds);
    return afterCruise + cruise * u - slope / 2 * u * u;
}

std::uint64_t splitMix(std::uint64_t value)
{
    value += 0x9E3779B97F4A7C15ull;
    value = (value ^ (value >> 30)) * 0xBF58476D1CE4E5B9ull;
    value = (value ^ (value >> 27)) * 0x94D049BB133111EBull;
    return value ^ (value >> 31);
}


std::vector<int> firstSatellites(const auto &numbers, int count)
{
    return std::vector<int>(numbers.begin(), numbers.begin() + std::min<std::size_t>(count, numbers.size()));
}

} // namespace

DemoDrive::DemoDrive(std::uint64_t seed, std::int64_t startUtcSeconds, std::set<std::uint64_t> impactSamples)
    : m_seed(seed), m_startUtcSeconds(startUtcSeconds), m_impactSamples(std::move(impactSamples))
{
}

double DemoDrive::speedKmh(double seconds)
{
    const auto cycle = static_cast<std::uint64_t>(seconds / kCycleSeconds);
    const double t = seconds - static_cast<double>(cycle) * kCycleSeconds;
    const double cruise = cruiseOf(cycle);
    const double rampEnd = kStandstillSeconds + kRampSeconds;
    const double cruiseEnd = rampEnd + kCruiseSeconds;
    if (t < kStandstillSeconds || t >= cruiseEnd + kRampSeconds)
        return 0;
    if (t < rampEnd)
        return cruise * (t - kStandstillSeconds) / kRampSeconds;
    if (t < cruiseEnd)
        return cruise + 0.15 * cruise * std::sin(2 * std::numbers::pi * (t - rampEnd) / kCruiseSeconds);
    return cruise * (1 - (t - cruiseEnd) / kRampSeconds);
}

double DemoDrive::distanceMetres(double seconds)
{
    const auto cycle = static_cast<std::uint64_t>(seconds / kCycleSeconds);
    double sum = 0;
    for (std::uint64_t previous = 0; previous < cycle % kCruiseKmh.size(); ++previous)
        sum += cycleIntegral(cruiseOf(previous), kCycleSeconds);
    double perRound = 0;
    for (double cruise : kCruiseKmh)
        perRound += cycleIntegral(cruise, kCycleSeconds);
    sum += perRound * static_cast<double>(cycle / kCruiseKmh.size());
    sum += cycleIntegral(cruiseOf(cycle), seconds - static_cast<double>(cycle) * kCycleSeconds);
    return sum / 3.6;
}

double DemoDrive::noise(std::uint64_t index, std::uint64_t channel) const
{
    const std::uint64_t bits = splitMix(m_seed ^ splitMix(index * 16 + channel));
    return static_cast<double>(bits >> 11) / static_cast<double>(1ull << 52) - 1.0;
}

double DemoDrive::impactG(std::uint64_t index) const
{
    constexpr std::array<double, 5> kShape{3.6, -2.1, 1.2, -0.5, 0.2};
    for (std::size_t after = 0; after < kShape.size() && after <= index; ++after) {
        if (m_impactSamples.contains(index - after))
            return kShape[after];
    }
    return 0;
}

BlackBoxSample DemoDrive::sampleAt(std::uint64_t index) const
{
    const double seconds = static_cast<double>(index) / kSamplesPerSecond;
    const double kmh = speedKmh(seconds);
    const double step = 1.0 / kSamplesPerSecond;
    const double accelerationG = (speedKmh(seconds + step) - kmh) / 3.6 / step / kGravity;
    const DemoRoute::Position position = m_route.positionAt(distanceMetres(seconds));

    BlackBoxSample sample;
    const std::int64_t utcSeconds = m_startUtcSeconds + static_cast<std::int64_t>(index / kSamplesPerSecond);
    sample.time = static_cast<std::uint32_t>(utcSeconds);
    const double impact = impactG(index);
    sample.gX = static_cast<std::int32_t>(std::lround(kRawPerG * (0.04 * noise(index, 0) + 0.6 * impact)));
    sample.gY = static_cast<std::int32_t>(std::lround(kRawPerG * (accelerationG + 0.04 * noise(index, 1) + impact)));
    sample.gZ = static_cast<std::int32_t>(std::lround(kRawPerG * (1.0 + 0.05 * noise(index, 2) - 0.3 * impact)));
    sample.latitude = NmeaSentenceWriter::nmeaCoordinate(position.latitude);
    sample.longitude = NmeaSentenceWriter::nmeaCoordinate(position.longitude);
    sample.flags = kKilometresPerHour;
    sample.speed = static_cast<std::int32_t>(std::lround(kmh));
    sample.hdop = std::round(10 * (1.0 + 0.25 * std::sin(seconds / 37.0) + 0.05 * noise(index / kSamplesPerSecond, 3))) / 10;
    const int satellites = 9 + static_cast<int>(std::lround(2 * std::sin(seconds / 53.0)));
    sample.satellites = satellites;

    const int glonass = satellites / 3;
    NmeaFix fix = NmeaFix::at(utcSeconds, static_cast<int>(index % kSamplesPerSecond) * 1000 / kSamplesPerSecond);
    fix.latitudeDegrees = position.latitude;
    fix.longitudeDegrees = position.longitude;
    fix.speedKnots = kmh / 1.852;
    fix.courseDegrees = position.courseDegrees;
    fix.satellitesUsed = satellites;
    fix.hdop = sample.hdop;
    fix.altitudeMetres = 519.0;
    // Most samples carry no text; the first four of each second carry one
    // sentence each, as the camera's receiver sends them.
    switch (index % kSamplesPerSecond) {
    case 0:
        sample.nmea = NmeaSentenceWriter::rmc(fix) + "\r\n";
        break;
    case 1:
        sample.nmea = NmeaSentenceWriter::gga(fix) + "\r\n";
        break;
    case 2:
        sample.nmea = NmeaSentenceWriter::gsa(firstSatellites(kGpsSatellites, satellites - glonass), sample.hdop) + "\r\n";
        break;
    case 3:
        sample.nmea = NmeaSentenceWriter::gsa(firstSatellites(kGlonassSatellites, glonass), sample.hdop) + "\r\n";
        break;
    default:
        break;
    }
    return sample;
}
