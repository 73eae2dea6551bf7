#include "trips/VRDFixPlausibility.h"

#include <cmath>

std::optional<double> VRDFixPlausibility::degrees(double nmeaValue, double largestDegrees)
{
    if (!std::isfinite(nmeaValue) || nmeaValue < 0.0)
        return std::nullopt;
    const double whole = std::trunc(nmeaValue / 100.0);
    const double minutes = nmeaValue - whole * 100.0;
    if (minutes >= 60.0)
        return std::nullopt;
    const double result = whole + minutes / 60.0;
    if (result > largestDegrees)
        return std::nullopt;
    return result;
}

std::optional<VRDFixPlausibility::Position> VRDFixPlausibility::check(const VRDGpsData &fix, const VRDGpsData &hemispheres,
                                                                      std::optional<bool> rmcStatusActive)
{
    if (rmcStatusActive && !*rmcStatusActive)
        return std::nullopt;
    if (!(fix.HDOP > 0.0 && fix.HDOP <= kWorstHdop) || fix.SatelliteUsedCount < kFewestSatellites)
        return std::nullopt;
    const std::optional<double> latitude = degrees(fix.Latitude, 90.0);
    const std::optional<double> longitude = degrees(fix.Longitude, 180.0);
    if (!latitude || !longitude || (*latitude == 0.0 && *longitude == 0.0))
        return std::nullopt;
    if ((hemispheres.NS != 'N' && hemispheres.NS != 'S') || (hemispheres.EW != 'E' && hemispheres.EW != 'W'))
        return std::nullopt;
    return Position{hemispheres.NS == 'S' ? -*latitude : *latitude, hemispheres.EW == 'W' ? -*longitude : *longitude};
}
