#include "trips/VRDCardClock.h"

#include <ctime>

std::int64_t VRDCardClock::utcFromWall(std::int64_t wallSeconds) const
{
    if (m_offset)
        return wallSeconds - *m_offset;
    const std::time_t wall = static_cast<std::time_t>(wallSeconds);
    std::tm fields{};
    if (::gmtime_r(&wall, &fields) == nullptr)
        return wallSeconds;
    fields.tm_isdst = -1;
    const std::time_t utc = std::mktime(&fields);
    return utc == static_cast<std::time_t>(-1) ? wallSeconds : static_cast<std::int64_t>(utc);
}
