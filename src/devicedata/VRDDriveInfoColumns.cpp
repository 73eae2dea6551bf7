#include "devicedata/VRDDriveInfoColumns.h"

#include <cstdio>
#include <cstdlib>

namespace {

template <typename... Arguments>
std::string format(const char *pattern, Arguments... arguments)
{
    char buffer[64];
    const int length = std::snprintf(buffer, sizeof buffer, pattern, arguments...);
    return std::string(buffer, length < 0 ? 0 : static_cast<std::size_t>(length));
}

std::string weekday(std::uint8_t value)
{
    static constexpr const char *kNames[] = {"SUN", "MON", "TUE", "WED", "THU", "FRI", "SAT"};
    return value < 7 ? kNames[value] : "-";
}

std::string fixState(std::uint8_t value)
{
    return value == 1 ? "A" : value == 2 ? "F" : "V";
}

std::string lamp(std::int16_t value)
{
    return value == 1 ? "ON" : value == 0 ? "OFF" : "-";
}

std::string gravity(std::int16_t value)
{
    return format("%+.2f", static_cast<double>(static_cast<float>(value) / 256.0f));
}

} // namespace

std::string VRDDriveInfoColumns::tenths(std::int16_t value)
{
    if (value >= 0)
        return format("%2d.%1d", value / 10, value % 10);
    // The quotient-and-remainder form would print " 0.-7"; one sign in front.
    const int magnitude = -static_cast<int>(value);
    return format("%2s.%1d", format("-%d", magnitude / 10).c_str(), magnitude % 10);
}

std::string VRDDriveInfoColumns::text(const VRDDriveInfoRecord &r, std::size_t column, std::int64_t row)
{
    switch (column) {
    case 0:
        return format("%lld", static_cast<long long>(row + 1));
    case 1:
        return format("%d", r.seq);
    case 2:
        return format("%4d/%02d/%02d", 1900 + r.year, r.month, r.day);
    case 3:
        return format("%02d:%02d:%02d", r.hour, r.minute, r.second);
    case 4:
        return weekday(r.yoil);
    case kLatitude:
        return format("%04d.%04d", r.latitudeWhole, r.latitudeFraction);
    case kLongitude:
        return format("%05d.%04d", r.longitudeWhole, r.longitudeFraction);
    case 7:
        return fixState(r.value);
    case 8:
        return format("%.1f", r.drivingDistance / 10.0);
    case 9:
        return format("%d", r.curSpeed);
    case 10:
        return r.spd < 0 ? "-" : format("%d", r.spd);
    case 11:
        return r.rpm == -2 ? "EV" : r.rpm < 0 ? "-" : format("%d", r.rpm);
    case 12:
        return lamp(r.fbk);
    case 13:
        return lamp(r.lll);
    case 14:
        return lamp(r.rll);
    case 15:
        return gravity(r.x);
    case 16:
        return gravity(r.y);
    case 17:
        return gravity(r.z);
    case 18:
        return tenths(r.battery);
    case 19:
        return tenths(r.ttc);
    case 20:
        return tenths(r.dtc);
    default:
        return "X";
    }
}
