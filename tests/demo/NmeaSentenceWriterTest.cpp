#include "demo/NmeaSentenceWriter.h"

#include <gtest/gtest.h>

TEST(NmeaSentenceWriter, ChecksumAndCoordinatesMatchTheReceiverForm)
{
    // The textbook GGA sentence and its checksum.
    EXPECT_EQ(NmeaSentenceWriter::withChecksum("GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,"),
              "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47");

    EXPECT_DOUBLE_EQ(NmeaSentenceWriter::nmeaCoordinate(48.1173), 4807.038);
    EXPECT_DOUBLE_EQ(NmeaSentenceWriter::nmeaCoordinate(-11.5), 1130.0);
    // Minutes that round up to 60 carry into the degrees.
    EXPECT_DOUBLE_EQ(NmeaSentenceWriter::nmeaCoordinate(47.999999999), 4800.0);

    NmeaFix fix;
    fix.year = 2094;
    fix.month = 3;
    fix.day = 23;
    fix.hour = 12;
    fix.minute = 35;
    fix.second = 19;
    fix.latitudeDegrees = -33.5;
    fix.longitudeDegrees = -70.25;
    fix.speedKnots = 10.5;
    fix.courseDegrees = 84.4;
    fix.satellitesUsed = 8;
    fix.hdop = 0.9;
    const std::string rmc = NmeaSentenceWriter::rmc(fix);
    EXPECT_EQ(rmc.substr(0, rmc.size() - 3), "$GPRMC,123519.000,A,3330.0000,S,07015.0000,W,10.50,84.40,230394,,,A");
    EXPECT_EQ(rmc, NmeaSentenceWriter::withChecksum(rmc.substr(1, rmc.size() - 4)));
    const std::string gga = NmeaSentenceWriter::gga(fix);
    EXPECT_EQ(gga.substr(0, 47), "$GPGGA,123519.000,3330.0000,S,07015.0000,W,1,08");
    const std::string gsa = NmeaSentenceWriter::gsa({3, 7, 19}, 1.0);
    EXPECT_EQ(gsa.substr(0, gsa.size() - 3), "$GNGSA,A,3,03,07,19,,,,,,,,,,1.6,1.0,1.3");
}
