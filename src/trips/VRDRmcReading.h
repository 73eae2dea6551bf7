#pragma once

#include <optional>
#include <string_view>

// The RMC sentence a sample's NMEA text may carry: its status and, when its
// date and time are complete and possible, that moment in UTC.
struct VRDRmcReading {
    bool statusActive = false;
    // Seconds since 1970-01-01 00:00 UTC, milliseconds included.
    std::optional<double> utcSeconds;

    // The last "$GPRMC" or "$GNRMC" sentence of the text (sentences end at a
    // zero byte, CR or LF), read by the NMEA parser; nothing without one.
    static std::optional<VRDRmcReading> find(std::string_view text);
};
