#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

// One 52-byte snapshot of the camera's drive-information log, decoded from
// its little-endian bytes. Bytes 24 to 29 have no known meaning; they are
// kept so that a record encodes back to the same bytes.
struct VRDDriveInfoRecord {
    static constexpr std::size_t kSize = 52;

    std::uint16_t seq = 0;
    std::uint8_t yoil = 0;  // weekday, 0 = Sunday
    std::uint8_t value = 0; // 1 "A", 2 "F", else "V"
    std::uint8_t year = 0;  // years since 1900
    std::uint8_t month = 0;
    std::uint8_t day = 0;
    std::uint8_t hour = 0;
    std::uint8_t minute = 0;
    std::uint8_t second = 0;
    std::uint16_t latitudeWhole = 0;    // degrees * 100 + whole minutes
    std::uint16_t latitudeFraction = 0; // minute fraction, ten-thousandths
    std::uint16_t longitudeWhole = 0;
    std::uint16_t longitudeFraction = 0;
    std::uint16_t curSpeed = 0;
    std::uint32_t drivingDistance = 0; // tenths
    std::uint32_t unknown24 = 0;
    std::int8_t unknown28 = 0;
    std::int8_t unknown29 = 0;
    std::int16_t spd = 0;
    std::int16_t rpm = 0; // -2 electric drive
    std::int16_t fbk = 0; // lamps: 1 on, 0 off
    std::int16_t rll = 0;
    std::int16_t lll = 0;
    std::int16_t x = 0; // G-sensor, 1/256 g
    std::int16_t y = 0;
    std::int16_t z = 0;
    std::int16_t battery = 0; // tenths
    std::int16_t ttc = 0;     // tenths
    std::int16_t dtc = 0;     // tenths

    static VRDDriveInfoRecord decode(std::span<const std::uint8_t, kSize> bytes);
    std::array<std::uint8_t, kSize> encode() const;
};
