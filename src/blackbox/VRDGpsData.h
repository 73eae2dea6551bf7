#pragma once

#include "blackbox/_PAIR.h"
#include "blackbox/_SYSTEMTIME.h"

#include <array>
#include <cstdint>

// One GPS fix: the figures of the latest NMEA sentences, or the decoded
// figures of one data-track record. Positions stay in NMEA ddmm.mmmm form
// without sign; NS and EW carry the hemispheres.
class VRDGpsData {
public:
    static constexpr int kChannelCount = 12;

    std::array<_PAIR, kChannelCount> SVonChannel{};
    std::array<std::uint8_t, kChannelCount> SatelliteUsed{};
    char NS = 'N';
    char EW = 'E';
    std::uint8_t Enable_GNGNS = 0;
    std::uint8_t Enable_GNGSA = 0;
    std::uint8_t Cnt_GNGSA = 0;
    std::uint8_t gpsValid = 0;
    std::uint32_t SatelliteCount = 0;
    std::uint32_t SatelliteUsedCount = 0;
    std::uint32_t SatelliteUsedCount_GPS = 0;
    std::uint32_t SatelliteUsedCount_GLONASS = 0;
    std::int32_t flags = 0;
    double PDOP = 0.0;
    double HDOP = 0.0;
    double VDOP = 0.0;
    double Latitude = 0.0;
    double Longitude = 0.0;
    double SpeedOverGround = 0.0;
    double CourseOverGround = 0.0;
    _SYSTEMTIME Now;

    void clear();
    void updateFromObject(const VRDGpsData &other);
    VRDGpsData duplicate() const;

    // Indexes outside 0 to 11 read an empty slot and write nothing.
    _PAIR SVonChannelAtIndex(int index) const;
    void setSVonChannel(_PAIR pair, int index);
    void setSVonChannelWithFirstSecond(std::uint8_t first, std::uint8_t second, int index);
    void setSVonChannelWithFirst(std::uint8_t first, int index);
    void setSVonChannelWithSecond(std::uint8_t second, int index);
    std::uint8_t SatelliteUsedAtIndex(int index) const;
    void setSatelliteUsed(std::uint8_t satellite, int index);

    friend bool operator==(const VRDGpsData &, const VRDGpsData &) = default;

private:
    static bool isChannel(int index) { return index >= 0 && index < kChannelCount; }
};
