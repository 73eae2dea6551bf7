#include "export/VRDClipTrackWriter.h"

#include "blackbox/VRDTelemetryFormatter.h"
#include "export/VRDSampleText.h"

#include <chrono>
#include <cmath>
#include <cstdio>

namespace {

std::string isoUtc(double seconds)
{
    using namespace std::chrono;
    const auto milliseconds = static_cast<long long>(std::llround(seconds * 1000));
    const sys_time<std::chrono::milliseconds> time{std::chrono::milliseconds(milliseconds)};
    const sys_days day = floor<days>(time);
    const year_month_day date{day};
    const hh_mm_ss clock{time - day};
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02d.%03dZ", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                  static_cast<int>(clock.hours().count()), static_cast<int>(clock.minutes().count()),
                  static_cast<int>(clock.seconds().count()), static_cast<int>(clock.subseconds().count()));
    return text;
}

std::string xmlText(const std::string &text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        default: out += c;
        }
    }
    return out;
}

} // namespace

namespace VRDClipTrackWriter {

std::string gpx(const VRDClipSamples &samples, const std::string &name)
{
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<gpx version=\"1.1\" creator=\"tovik\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n"
                      "  <trk>\n    <name>" + xmlText(name) + "</name>\n    <trkseg>\n";
    for (std::size_t i = 0; i < samples.count(); ++i) {
        const std::optional<VRDSampleText::Position> where = VRDSampleText::position(samples.fix(i));
        const std::optional<double> utc = samples.utcSeconds(i);
        // Common GPS tools refuse points without a time.
        if (!where || !utc)
            continue;
        char point[96];
        std::snprintf(point, sizeof point, "      <trkpt lat=\"%.7f\" lon=\"%.7f\"><time>", where->latitude, where->longitude);
        out += point + isoUtc(*utc) + "</time></trkpt>\n";
    }
    return out + "    </trkseg>\n  </trk>\n</gpx>\n";
}

std::string csv(const VRDClipSamples &samples)
{
    return VRDTelemetryFormatter::csv(samples.snapshot());
}

} // namespace VRDClipTrackWriter
