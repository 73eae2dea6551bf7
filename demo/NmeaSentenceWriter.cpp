#include "demo/NmeaSentenceWriter.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>

namespace {

std::string format(const char *pattern, auto... values)
{
    char buffer[128];
    const int length = std::snprintf(buffer, sizeof buffer, pattern, values...);
    return length < 0 ? std::string() : std::string(buffer, std::min<std::size_t>(static_cast<std::size_t>(length), sizeof buffer - 1));
}

std::string coordinateField(double degrees, int degreeDigits, char positive, char negative)
{
    const double nmea = NmeaSentenceWriter::nmeaCoordinate(degrees);
    const int whole = static_cast<int>(nmea / 100);
    const double minutes = nmea - whole * 100.0;
    const char hemisphere = degrees < 0 ? negative : positive;
    return format("%0*d%07.4f,%c", degreeDigits, whole, minutes, hemisphere);
}

std::string timeField(const NmeaFix &fix)
{
    return format("%02d%02d%02d.%03d", fix.hour, fix.minute, fix.second, fix.millisecond);
}

} // namespace

double NmeaSentenceWriter::nmeaCoordinate(double degrees)
{
    const double magnitude = std::fabs(degrees);
    const double whole = std::floor(magnitude);
    double minutes = std::round((magnitude - whole) * 60.0 * 10000.0) / 10000.0;
    double wholeDegrees = whole;
    if (minutes >= 60.0) {
        minutes -= 60.0;
        wholeDegrees += 1;
    }
    return wholeDegrees * 100.0 + minutes;
}

std::string NmeaSentenceWriter::withChecksum(std::string_view body)
{
    unsigned checksum = 0;
    for (char byte : body)
        checksum ^= static_cast<unsigned char>(byte);
    return "$" + std::string(body) + format("*%02X", checksum);
}

std::string NmeaSentenceWriter::rmc(const NmeaFix &fix)
{
    const std::string body = "GPRMC," + timeField(fix) + (fix.valid ? ",A," : ",V,")
        + coordinateField(fix.latitudeDegrees, 2, 'N', 'S') + ","
        + coordinateField(fix.longitudeDegrees, 3, 'E', 'W') + ","
        + format("%.2f,%.2f,%02d%02d%02d,,,A", fix.speedKnots, fix.courseDegrees, fix.day, fix.month, fix.year % 100);
    return withChecksum(body);
}

std::string NmeaSentenceWriter::gga(const NmeaFix &fix)
{
    const std::string body = "GPGGA," + timeField(fix) + ","
        + coordinateField(fix.latitudeDegrees, 2, 'N', 'S') + ","
        + coordinateField(fix.longitudeDegrees, 3, 'E', 'W') + ","
        + format("%d,%02d,%.1f,%.1f,M,47.4,M,,", fix.valid ? 1 : 0, fix.satellitesUsed, fix.hdop, fix.altitudeMetres);
    return withChecksum(body);
}

std::string NmeaSentenceWriter::gsa(const std::vector<int> &satelliteNumbers, double hdop)
{
    std::string body = "GNGSA,A,3";
    for (std::size_t slot = 0; slot < 12; ++slot) {
        body += ",";
        if (slot < satelliteNumbers.size())
            body += format("%02d", satelliteNumbers[slot]);
    }
    body += format(",%.1f,%.1f,%.1f", hdop * 1.6, hdop, hdop * 1.3);
    return withChecksum(body);
}

NmeaFix NmeaFix::at(std::int64_t utcSeconds, int millisecond)
{
    using namespace std::chrono;
    const sys_seconds time{seconds(utcSeconds)};
    const sys_days day = floor<days>(time);
    const year_month_day date{day};
    const hh_mm_ss clock{time - day};
    NmeaFix fix;
    fix.year = static_cast<int>(date.year());
    fix.month = static_cast<int>(static_cast<unsigned>(date.month()));
    fix.day = static_cast<int>(static_cast<unsigned>(date.day()));
    fix.hour = static_cast<int>(clock.hours().count());
    fix.minute = static_cast<int>(clock.minutes().count());
    fix.second = static_cast<int>(clock.seconds().count());
    fix.millisecond = millisecond;
    return fix;
}
