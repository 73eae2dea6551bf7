#include "blackbox/VRDTelemetryFormatter.h"

#include "blackbox/TKDegreesFromNmea.h"
#include "io/TKJsonString.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>

namespace {

constexpr char kMilesPerHourFlag = 0x31;

std::string number(double value)
{
    char buffer[32];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return error == std::errc() ? std::string(buffer, end) : std::string("0");
}

std::string jsonNumber(double value)
{
    return std::isfinite(value) ? number(value) : "null";
}

std::string csvNumber(double value)
{
    return std::isfinite(value) ? number(value) : "";
}

// A hemisphere letter is one raw byte from the receiver; bytes outside
// ASCII are written as the code point of the same number.
std::string jsonCharacter(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x80 && c != '"' && c != '\\')
        return std::string("\"") + c + "\"";
    char escaped[10];
    std::snprintf(escaped, sizeof escaped, "\"\\u%04x\"", byte);
    return escaped;
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

std::string isoTime(const _SYSTEMTIME &t)
{
    char text[40];
    std::snprintf(text, sizeof text, "%04u-%02u-%02uT%02u:%02u:%02u.%03u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
                  t.wSecond, t.wMilliseconds);
    return text;
}

std::string fixJson(const VRDGpsData &fix)
{
    return "{\"Latitude\":" + jsonNumber(fix.Latitude) + ",\"Longitude\":" + jsonNumber(fix.Longitude)
        + ",\"NS\":" + jsonCharacter(fix.NS) + ",\"EW\":" + jsonCharacter(fix.EW)
        + ",\"SpeedOverGround\":" + jsonNumber(fix.SpeedOverGround)
        + ",\"CourseOverGround\":" + jsonNumber(fix.CourseOverGround) + ",\"HDOP\":" + jsonNumber(fix.HDOP)
        + ",\"SatelliteUsedCount\":" + std::to_string(fix.SatelliteUsedCount)
        + ",\"SatelliteCount\":" + std::to_string(fix.SatelliteCount) + ",\"flags\":" + std::to_string(fix.flags)
        + ",\"gpsValid\":" + std::to_string(fix.gpsValid) + ",\"Now\":" + TKJsonString(isoTime(fix.Now)) + "}";
}

// Short items share one line; longer ones get a line each.
template <typename List, typename Write>
std::string jsonArray(const List &list, Write write, bool linePerItem)
{
    if (list.empty())
        return "[]";
    const char *separator = linePerItem ? ",\n    " : ",";
    std::string out = linePerItem ? "[\n    " : "[";
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (i > 0)
            out += separator;
        out += write(list[i]);
    }
    return out + (linePerItem ? "\n  ]" : "]");
}

struct Position {
    double latitude;
    double longitude;
};

// Signed decimal degrees of a fix, or nothing when it holds no usable
// position (no fix at all reads 0, 0).
std::optional<Position> position(const VRDGpsData &fix)
{
    const double latitude = TKDegreesFromNmea(fix.Latitude) * (fix.NS == 'S' ? -1.0 : 1.0);
    const double longitude = TKDegreesFromNmea(fix.Longitude) * (fix.EW == 'W' ? -1.0 : 1.0);
    if (!std::isfinite(latitude) || !std::isfinite(longitude) || std::fabs(latitude) > 90.0
        || std::fabs(longitude) > 180.0 || (latitude == 0.0 && longitude == 0.0))
        return std::nullopt;
    return Position{latitude, longitude};
}

const char *speedUnit(const VRDGpsData &fix)
{
    return fix.flags == kMilesPerHourFlag ? "mph" : "km/h";
}

const VRDGpsData &recordFix(const VRDBlackBoxSnapshot &samples, std::size_t sample)
{
    return samples.NMEAs[samples.RecordFixIndexes[sample]];
}

double magnitude(const VRDGSensor &g)
{
    const double x = g.x, y = g.y, z = g.z;
    return std::sqrt(x * x + y * y + z * z);
}

std::string fixed(double value, int decimals)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

} // namespace

namespace VRDTelemetryFormatter {

std::string json(const std::string &path, bool ok, const VRDBlackBoxSnapshot &samples)
{
    std::string out = "{\n  \"path\": " + TKJsonString(path) + ",\n  \"ok\": " + (ok ? "true" : "false")
        + ",\n  \"frameCount\": " + std::to_string(samples.frameCount()) + ",\n  \"times\": ";
    out += jsonArray(samples.Times, [](std::uint32_t t) { return std::to_string(t); }, false);
    out += ",\n  \"gsensors\": ";
    out += jsonArray(samples.GSensors, [](const VRDGSensor &g) {
        return "[" + jsonNumber(g.x) + "," + jsonNumber(g.y) + "," + jsonNumber(g.z) + "]";
    }, true);
    out += ",\n  \"rawGSensors\": ";
    out += jsonArray(samples.vGSensorData, [](const VRDAviGSensorData &raw) {
        return "[" + std::to_string(raw.data.X) + "," + std::to_string(raw.data.Y) + "," + std::to_string(raw.data.Z) + ","
            + std::to_string(raw.data.T) + "]";
    }, true);
    out += ",\n  \"fixes\": ";
    out += jsonArray(samples.NMEAs, fixJson, true);
    return out + "\n}\n";
}

std::string csv(const VRDBlackBoxSnapshot &samples)
{
    std::string out = "sample,time,x,y,z,rawX,rawY,rawZ,rawT,latitude,longitude,speed,speedUnit,hdop,satellites\n";
    for (std::size_t i = 0; i < samples.GSensors.size(); ++i) {
        const VRDGSensor &g = samples.GSensors[i];
        const VRDAviGSensorData::Data &raw = samples.vGSensorData[i].data;
        const VRDGpsData &fix = recordFix(samples, i);
        const std::optional<Position> where = position(fix);
        out += std::to_string(i) + "," + std::to_string(samples.Times[i]) + "," + csvNumber(g.x) + "," + csvNumber(g.y)
            + "," + csvNumber(g.z) + "," + std::to_string(raw.X) + "," + std::to_string(raw.Y) + ","
            + std::to_string(raw.Z) + "," + std::to_string(raw.T) + ","
            + (where ? number(where->latitude) + "," + number(where->longitude) : std::string(",")) + ","
            + csvNumber(fix.SpeedOverGround) + "," + speedUnit(fix) + "," + csvNumber(fix.HDOP) + ","
            + std::to_string(fix.SatelliteUsedCount) + "\n";
    }
    return out;
}

std::string gpx(const VRDBlackBoxSnapshot &samples, const std::vector<std::string> &pointTimes, const std::string &trackName)
{
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<gpx version=\"1.1\" creator=\"tovik\" xmlns=\"http://www.topografix.com/GPX/1/1\" "
                      "xmlns:tovik=\"urn:tovik:gpx:1\">\n"
                      "  <trk>\n";
    if (!trackName.empty())
        out += "    <name>" + xmlText(trackName) + "</name>\n";
    out += "    <trkseg>\n";
    for (std::size_t i = 0; i < samples.RecordFixIndexes.size(); ++i) {
        const VRDGpsData &fix = recordFix(samples, i);
        const std::optional<Position> where = position(fix);
        if (!where || i >= pointTimes.size() || pointTimes[i].empty())
            continue;
        out += "      <trkpt lat=\"" + number(where->latitude) + "\" lon=\"" + number(where->longitude) + "\">\n";
        out += "        <time>" + pointTimes[i] + "</time>\n";
        out += "        <sat>" + std::to_string(fix.SatelliteUsedCount) + "</sat>\n";
        if (std::isfinite(fix.HDOP))
            out += "        <hdop>" + number(fix.HDOP) + "</hdop>\n";
        out += "        <extensions><tovik:speed unit=\"" + std::string(speedUnit(fix)) + "\">"
            + csvNumber(fix.SpeedOverGround) + "</tovik:speed></extensions>\n";
        out += "      </trkpt>\n";
    }
    return out + "    </trkseg>\n  </trk>\n</gpx>\n";
}

std::string summary(const VRDBlackBoxSnapshot &samples)
{
    std::string out = "frames: " + std::to_string(samples.frameCount()) + "\nsamples: " + std::to_string(samples.GSensors.size())
        + "\nGPS entries: " + std::to_string(samples.NMEAs.size()) + "\n";
    std::optional<Position> first, last;
    const VRDGpsData *fastest = nullptr;
    for (std::size_t i = 0; i < samples.RecordFixIndexes.size(); ++i) {
        const VRDGpsData &fix = recordFix(samples, i);
        if (const std::optional<Position> where = position(fix)) {
            if (!first)
                first = where;
            last = where;
        }
        if (fastest == nullptr || fix.SpeedOverGround > fastest->SpeedOverGround)
            fastest = &fix;
    }
    auto describe = [](const std::optional<Position> &where) {
        return where ? fixed(where->latitude, 6) + ", " + fixed(where->longitude, 6) : std::string("none");
    };
    out += "first position: " + describe(first) + "\nlast position: " + describe(last) + "\n";
    out += "max speed: " + (fastest ? fixed(fastest->SpeedOverGround, 0) + " " + speedUnit(*fastest) : std::string("none")) + "\n";
    double strongest = 0.0;
    for (const VRDGSensor &g : samples.GSensors)
        strongest = std::fmax(strongest, magnitude(g));
    out += "max |g|: " + (samples.GSensors.empty() ? std::string("none") : fixed(strongest, 3) + " g") + "\n";
    return out;
}

} // namespace VRDTelemetryFormatter
