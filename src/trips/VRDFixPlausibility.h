#pragma once

#include "blackbox/VRDGpsData.h"

#include <optional>

// Whether a record fix is a position to believe. The per-sample fixes carry
// no validity flag of their own, so a fix counts only when it is in range
// and not 0/0, its HDOP is above 0 and at most 5, at least 4 satellites are
// in use, and, when the record carries an RMC sentence, its status is "A".
class VRDFixPlausibility {
public:
    struct Position {
        double latitude;  // signed decimal degrees
        double longitude;
    };

    static constexpr double kWorstHdop = 5.0;
    static constexpr std::uint32_t kFewestSatellites = 4;

    // The fix's signed position when it is plausible. `hemispheres` supplies
    // NS and EW (the record itself stores none); `rmcStatusActive` is empty
    // when the record carries no RMC sentence.
    static std::optional<Position> check(const VRDGpsData &fix, const VRDGpsData &hemispheres,
                                         std::optional<bool> rmcStatusActive);

    // Degrees of an NMEA ddmm.mmmm value, or nothing when the minutes part
    // is not below 60 or the value is negative or not finite.
    static std::optional<double> degrees(double nmeaValue, double largestDegrees);
};
