#include "export/VRDClipName.h"

#include "media/VRDMediaNamePrefix.h"

#include <chrono>
#include <cstdio>

namespace {

struct CivilTime {
    int year, month, day, hour, minute, second;
};

CivilTime civil(long long seconds)
{
    using namespace std::chrono;
    const sys_seconds time{std::chrono::seconds(seconds)};
    const sys_days day = floor<days>(time);
    const year_month_day date{day};
    const hh_mm_ss clock{time - day};
    return {static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
            static_cast<int>(static_cast<unsigned>(date.day())), static_cast<int>(clock.hours().count()),
            static_cast<int>(clock.minutes().count()), static_cast<int>(clock.seconds().count())};
}

} // namespace

namespace VRDClipName {

std::optional<long long> localStart(const VRDMedia &media)
{
    if (media.year() == 0)
        return std::nullopt;
    using namespace std::chrono;
    const sys_days day{year{media.year()} / month{static_cast<unsigned>(media.month())} / std::chrono::day{static_cast<unsigned>(media.day())}};
    // Hour 24 and second 60 are valid in names; they simply carry over.
    return day.time_since_epoch().count() * 86400LL + media.hour() * 3600LL + media.minute() * 60LL + media.second();
}

std::string groupNameAt(const VRDMedia &media, long long localSeconds)
{
    const std::string name(media.mediaGroupName());
    const VRDMediaNamePrefix *prefix = VRDMediaNamePrefix::find(media.mediaName());
    const std::size_t start = prefix != nullptr ? prefix->timeStart : 0;
    const CivilTime t = civil(localSeconds);
    char field[32];
    std::snprintf(field, sizeof field, "%04d%02d%02d_%02d%02d%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
    return name.substr(0, start) + field + name.substr(std::min(name.size(), start + VRDMediaNamePrefix::kTimeFieldLength));
}

std::string dateTimeText(long long seconds)
{
    const CivilTime t = civil(seconds);
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
    return text;
}

} // namespace VRDClipName
