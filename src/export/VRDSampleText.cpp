#include "export/VRDSampleText.h"

#include "blackbox/TKDegreesFromNmea.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr int kMilesPerHourFlag = 0x31;

std::string dms(double value, char positive, char negative)
{
    const double magnitude = std::fabs(value);
    auto degrees = static_cast<int>(magnitude);
    const double minutesFull = (magnitude - degrees) * 60.0;
    auto minutes = static_cast<int>(minutesFull);
    double seconds = std::round((minutesFull - minutes) * 600.0) / 10.0;
    if (seconds >= 60.0) {
        seconds -= 60.0;
        ++minutes;
    }
    if (minutes >= 60) {
        minutes -= 60;
        ++degrees;
    }
    char text[48];
    std::snprintf(text, sizeof text, "%d\u00b0%02d'%04.1f\"%c", degrees, minutes, seconds, value < 0 ? negative : positive);
    return text;
}

} // namespace

namespace VRDSampleText {

std::optional<Position> position(const VRDGpsData &fix)
{
    const double latitude = TKDegreesFromNmea(fix.Latitude) * (fix.NS == 'S' ? -1.0 : 1.0);
    const double longitude = TKDegreesFromNmea(fix.Longitude) * (fix.EW == 'W' ? -1.0 : 1.0);
    if (!std::isfinite(latitude) || !std::isfinite(longitude) || std::fabs(latitude) > 90.0 || std::fabs(longitude) > 180.0
        || (latitude == 0.0 && longitude == 0.0))
        return std::nullopt;
    return Position{latitude, longitude};
}

std::string decimal(const Position &where)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.6f, %.6f", where.latitude, where.longitude);
    return text;
}

std::string degreesMinutesSeconds(const Position &where)
{
    return dms(where.latitude, 'N', 'S') + " " + dms(where.longitude, 'E', 'W');
}

bool milesPerHour(const VRDGpsData &fix)
{
    return fix.flags == kMilesPerHourFlag;
}

std::string speed(const VRDGpsData &fix)
{
    if (!std::isfinite(fix.SpeedOverGround))
        return {};
    char text[32];
    std::snprintf(text, sizeof text, "%.0f %s", fix.SpeedOverGround, milesPerHour(fix) ? "mph" : "km/h");
    return text;
}

double gForce(const VRDGSensor &g)
{
    const double x = g.x, y = g.y, z = g.z;
    return std::sqrt(x * x + y * y + z * z);
}

} // namespace VRDSampleText
