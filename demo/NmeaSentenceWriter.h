#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One GPS fix as the receiver would report it, in the units of NMEA 0183.
struct NmeaFix {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
    double latitudeDegrees = 0;  // signed decimal degrees, north positive
    double longitudeDegrees = 0; // signed decimal degrees, east positive
    double speedKnots = 0;
    double courseDegrees = 0;
    int satellitesUsed = 0;
    double hdop = 0;
    double altitudeMetres = 0;
    bool valid = true;

    // A fix dated at a UTC instant (seconds since 1970), the rest left as declared.
    static NmeaFix at(std::int64_t utcSeconds, int millisecond = 0);
};

// Writes NMEA 0183 sentences with correct checksums, without line ends.
class NmeaSentenceWriter {
public:
    static std::string rmc(const NmeaFix &fix);
    static std::string gga(const NmeaFix &fix);
    // One GNGSA sentence listing up to twelve satellite numbers.
    static std::string gsa(const std::vector<int> &satelliteNumbers, double hdop);

    // "$" + body + "*" + two hex digits of the XOR of the body's bytes.
    static std::string withChecksum(std::string_view body);

    // Degrees as NMEA ddmm.mmmm (degrees × 100 + minutes), without sign,
    // rounded to the four decimals of minutes that the sentences carry.
    static double nmeaCoordinate(double degrees);
};
