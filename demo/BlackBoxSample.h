#pragma once

#include <cstdint>
#include <string>

// One sensor sample as the dashcam stores it in a chunk of the data track:
// the fields of the 208-byte little-endian record, in record order.
struct BlackBoxSample {
    std::uint32_t time = 0;
    std::uint32_t reserved = 0;                // record bytes 4 to 7
    std::int32_t gX = 0;                       // raw G-sensor, 1/256 g
    std::int32_t gY = 0;
    std::int32_t gZ = 0;
    std::int32_t gT = 0;
    char unit = 0;
    std::string nmea;                          // at most 128 bytes are stored
    double latitude = 0.0;                     // NMEA form ddmm.mmmm
    double longitude = 0.0;                    // NMEA form dddmm.mmmm
    std::int32_t flags = 0;                    // speed unit, 0x31 for mph
    std::int32_t speed = 0;                    // whole km/h or mph
    double hdop = 0.0;
    double satellites = 0.0;
    std::uint16_t prefix = 0;                  // the 2 bytes before the record
};
