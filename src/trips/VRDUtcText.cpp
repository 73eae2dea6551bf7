#include "trips/VRDUtcText.h"

#include <chrono>
#include <cmath>
#include <cstdio>

namespace {

struct Fields {
    int year;
    unsigned month;
    unsigned day;
    long hour;
    long minute;
    long second;
    long millisecond;
};

Fields fieldsOf(double utcSeconds)
{
    using namespace std::chrono;
    const auto totalMs = static_cast<std::int64_t>(std::llround(utcSeconds * 1000.0));
    const sys_time<milliseconds> moment{milliseconds{totalMs}};
    const sys_days day = floor<days>(moment);
    const year_month_day date{day};
    const hh_mm_ss<milliseconds> time{moment - day};
    return {static_cast<int>(date.year()), static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
            static_cast<long>(time.hours().count()), static_cast<long>(time.minutes().count()),
            static_cast<long>(time.seconds().count()), static_cast<long>(time.subseconds().count())};
}

} // namespace

namespace VRDUtcText {

std::string iso(double utcSeconds)
{
    const Fields f = fieldsOf(utcSeconds);
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02ld:%02ld:%02ld", f.year, f.month, f.day, f.hour, f.minute, f.second);
    std::string out = text;
    if (f.millisecond != 0) {
        char fraction[8];
        std::snprintf(fraction, sizeof fraction, ".%03ld", f.millisecond);
        std::string digits = fraction;
        while (digits.back() == '0')
            digits.pop_back();
        out += digits;
    }
    return out + "Z";
}

std::string compact(double utcSeconds)
{
    const Fields f = fieldsOf(std::floor(utcSeconds));
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02u%02u-%02ld%02ld%02ld", f.year, f.month, f.day, f.hour, f.minute, f.second);
    return text;
}

} // namespace VRDUtcText
