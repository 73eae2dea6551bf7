#include "trips/VRDRmcReading.h"

#include "blackbox/VRDNMEASentenceParser.h"

#include <chrono>

namespace {

std::optional<double> utcOf(const _SYSTEMTIME &t)
{
    using namespace std::chrono;
    if (t.wMonth < 1 || t.wMonth > 12 || t.wDay < 1 || t.wDay > 31 || t.wHour > 23 || t.wMinute > 59 || t.wSecond > 60
        || t.wMilliseconds > 999)
        return std::nullopt;
    const year_month_day date{year{t.wYear}, month{t.wMonth}, day{t.wDay}};
    if (!date.ok())
        return std::nullopt;
    const auto daySeconds = duration_cast<seconds>(sys_days{date}.time_since_epoch()).count();
    return static_cast<double>(daySeconds + t.wHour * 3600 + t.wMinute * 60 + t.wSecond) + t.wMilliseconds / 1000.0;
}

bool isLineEnd(char c)
{
    return c == '\0' || c == '\r' || c == '\n';
}

} // namespace

std::optional<VRDRmcReading> VRDRmcReading::find(std::string_view text)
{
    std::optional<VRDRmcReading> found;
    std::size_t at = 0;
    while ((at = text.find('$', at)) != std::string_view::npos) {
        std::size_t end = at + 1;
        while (end < text.size() && !isLineEnd(text[end]) && text[end] != '$')
            ++end;
        const std::string_view sentence = text.substr(at, end - at);
        at = end;
        if (!sentence.starts_with("$GPRMC,") && !sentence.starts_with("$GNRMC,"))
            continue;
        VRDNMEASentenceParser parser;
        if (!parser.parse(sentence))
            continue;
        VRDRmcReading reading;
        reading.statusActive = parser.current().gpsValid == 1;
        if (parser.current().Now.wYear != 0)
            reading.utcSeconds = utcOf(parser.current().Now);
        found = reading;
    }
    return found;
}
