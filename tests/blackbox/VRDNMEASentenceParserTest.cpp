#include "blackbox/VRDNMEASentenceParser.h"
#include "blackbox/VRDNmeaNumber.h"

#include <gtest/gtest.h>

#include <string>

namespace {

VRDNMEASentenceParser::Fields fields(std::initializer_list<std::string_view> list)
{
    return VRDNMEASentenceParser::Fields(list);
}

} // namespace

TEST(VRDNMEASentenceParser, RmcSetsSpeedCourseValidityAndTimeOnlyFromFullFields)
{
    VRDNMEASentenceParser parser;
    EXPECT_TRUE(parser.parse("$GPRMC,123519.000,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A"));
    const VRDGpsData &fix = parser.current();
    EXPECT_EQ(fix.Now, (_SYSTEMTIME{2094, 3, 0, 23, 12, 35, 19, 0}));
    EXPECT_EQ(fix.SpeedOverGround, static_cast<double>(22.4f));
    EXPECT_EQ(fix.CourseOverGround, static_cast<double>(84.4f));
    EXPECT_EQ(fix.gpsValid, 1);
    EXPECT_EQ(fix.Latitude, 0.0) << "RMC carries no position into the fix";

    EXPECT_TRUE(parser.parse("$GNRMC,010203.00,V,,,,,1.5,2.5,010101,,*00"));
    EXPECT_EQ(parser.current().Now, (_SYSTEMTIME{2094, 3, 0, 23, 12, 35, 19, 0})) << "9-character time";
    EXPECT_EQ(parser.current().gpsValid, 0);
    EXPECT_EQ(parser.current().SpeedOverGround, 1.5);

    EXPECT_TRUE(parser.parse("$GPRMC,0102x3.456,A,,,,,,,31ab99,,*00"));
    EXPECT_EQ(parser.current().Now, (_SYSTEMTIME{2000, 0, 0, 31, 1, 2, 0, 0})) << "scan stops at the first mismatch";

    EXPECT_TRUE(parser.parse("$GPRMC*00")) << "missing fields count as empty";
    EXPECT_EQ(parser.current().SpeedOverGround, 0.0);
}

TEST(VRDNMEASentenceParser, GgaKeepsSinglePrecisionPositionAndSkipsEmptyFields)
{
    VRDNMEASentenceParser parser;
    EXPECT_TRUE(parser.parse("$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47"));
    EXPECT_EQ(parser.current().Latitude, 4807.0380859375);
    EXPECT_EQ(parser.current().Longitude, static_cast<double>(1131.0f));
    EXPECT_EQ(parser.current().NS, 'N');
    EXPECT_EQ(parser.current().SatelliteUsedCount, 8u);
    EXPECT_EQ(parser.current().HDOP, static_cast<double>(0.9f));

    EXPECT_TRUE(parser.parse("$GNGGA,123520,,S,,W,1,abc,,*00"));
    EXPECT_EQ(parser.current().Latitude, 4807.0380859375);
    EXPECT_EQ(parser.current().NS, 'S');
    EXPECT_EQ(parser.current().EW, 'W');
    EXPECT_EQ(parser.current().SatelliteUsedCount, 0u) << "non-numeric count reads 0";
    EXPECT_EQ(parser.current().HDOP, static_cast<double>(0.9f));
}

TEST(VRDNMEASentenceParser, GsaCountsGpsThenGlonassAndEmptyListWithoutFix)
{
    VRDNMEASentenceParser parser;
    EXPECT_TRUE(parser.parse("$GNGSA,A,3,03,07,19,,,,,,,,,,1.0,0.9,0.5*00"));
    EXPECT_EQ(parser.current().SatelliteUsedCount_GPS, 3u);
    EXPECT_EQ(parser.current().SatelliteUsedCount, 3u);
    EXPECT_EQ(parser.current().SatelliteUsedAtIndex(2), 19);
    EXPECT_EQ(parser.current().Cnt_GNGSA, 1);
    EXPECT_TRUE(parser.parse("$GNGSA,A,3,65,72,,,,,,,,,,,1.0,0.9,0.5*00"));
    EXPECT_EQ(parser.current().SatelliteUsedCount_GLONASS, 2u);
    EXPECT_EQ(parser.current().SatelliteUsedCount, 5u);
    EXPECT_EQ(parser.current().Cnt_GNGSA, 0);

    EXPECT_TRUE(parser.parse("$GNGSA,A,1,,,,,,,,,,,,,,,*00"));
    EXPECT_EQ(parser.current().SatelliteUsedCount, 0u);
    EXPECT_EQ(parser.current().Cnt_GNGSA, 255);
    EXPECT_EQ(parser.current().Enable_GNGSA, 1);

    EXPECT_TRUE(parser.parse("$GPGGA,1,4807.0,N,1.0,E,1,09,1.5,,,,,,*00"));
    EXPECT_EQ(parser.current().SatelliteUsedCount, 0u) << "GSA owns the count once seen";
    EXPECT_EQ(parser.current().HDOP, 1.5) << "GGA still supplies HDOP";

    EXPECT_TRUE(parser.parse("$GNGSA,A,3,300,,,,,,,,,,,,,,*00"));
    EXPECT_EQ(parser.current().SatelliteUsedAtIndex(0), 44) << "low 8 bits of 300";
}

TEST(VRDNMEASentenceParser, GnsOverridesGgaAndGsa)
{
    VRDNMEASentenceParser parser;
    EXPECT_TRUE(parser.parse("$GNGNS,1,4807,N,1131,E,AA,14,0.7,,,,*00"));
    EXPECT_EQ(parser.current().Enable_GNGNS, 1);
    EXPECT_EQ(parser.current().SatelliteUsedCount, 14u);
    EXPECT_EQ(parser.current().HDOP, static_cast<double>(0.7f));
    EXPECT_EQ(parser.current().Latitude, 0.0);

    EXPECT_TRUE(parser.parse("$GPGGA,1,4807.0,N,1.0,E,1,09,1.5,,,,,,*00"));
    EXPECT_EQ(parser.current().SatelliteUsedCount, 14u);
    EXPECT_EQ(parser.current().HDOP, static_cast<double>(0.7f));
    EXPECT_EQ(parser.current().Latitude, 4807.0);

    const VRDGpsData before = parser.current();
    EXPECT_TRUE(parser.parse("$GNGSA,A,3,03,07,19,,,,,,,,,,1.0,0.9,0.5*00"));
    VRDGpsData expected = before;
    expected.Enable_GNGSA = 1;
    EXPECT_EQ(parser.current(), expected);
}

TEST(VRDNMEASentenceParser, RejectsWhatNoHandlerTakesAndLeavesTheFix)
{
    VRDNMEASentenceParser parser;
    parser.parse("$GPGGA,1,4807.0,N,1.0,E,1,09,1.5,,,,,,*00");
    const VRDGpsData before = parser.current();
    for (const std::string sentence : {"$GPGSA,A,3,03,,,,,,,,,,,,1,1,1*00", "$GPGSV,3,1,11,03,03,111,00*74",
                                       "$GPGGA,1,9999.0,N*00*11", "$GPGGA,1,9999.0,N", "$GPGGA,1,\xff\xfe,N*00",
                                       "$GPGGA,1,\xc0\xaf,N*00", "", "*", "$GPXXX,1*00"}) {
        EXPECT_FALSE(parser.parse(sentence)) << sentence;
    }
    EXPECT_EQ(parser.current(), before);
    EXPECT_TRUE(parser.parse("$GPGGA,1,1\xc3\xa9,N*00")) << "valid UTF-8 beyond ASCII";
    EXPECT_TRUE(parser.parse(std::string_view("$GPGGA,1,5.0,N*00\0garbage*", 27))) << "ends at its zero byte";
}

TEST(VRDNMEASentenceParser, GsvFillsChannelsInSequencePerParser)
{
    VRDNMEASentenceParser parser;
    VRDNMEASentenceParser other;
    using F = VRDNMEASentenceParser::Fields;
    EXPECT_TRUE(parser.parseGPGSV(fields({"$GPGSV", "3", "1", "11", "03", "03", "111", "42", "04", "15", "270", "7"})));
    EXPECT_EQ(parser.current().SVonChannelAtIndex(0), (_PAIR{3, 42}));
    EXPECT_EQ(parser.current().SVonChannelAtIndex(1), (_PAIR{4, 7}));
    EXPECT_EQ(parser.current().SatelliteCount, 11u);

    EXPECT_FALSE(other.parseGPGSV(fields({"$GPGSV", "3", "2", "11", "05", "1", "1", "1"}))) << "counters are per parser";

    EXPECT_FALSE(parser.parseGPGSV(fields({"$GPGSV", "3", "3", "12", "09", "1", "1", "1"})));
    EXPECT_EQ(parser.current().SatelliteCount, 12u);
    EXPECT_EQ(parser.current().SVonChannelAtIndex(2), (_PAIR{}));

    F many{"$GPGSV", "3", "2", "30"};
    for (int i = 0; i < 14; ++i)
        for (const char *value : {"123", "0", "0", ""})
            many.push_back(value);
    EXPECT_TRUE(parser.parseGPGSV(many));
    EXPECT_EQ(parser.current().SVonChannelAtIndex(2), (_PAIR{12, 0})) << "%02d reads two characters";
    EXPECT_EQ(parser.current().SVonChannelAtIndex(11), (_PAIR{12, 0}));

    EXPECT_TRUE(parser.parseGPGSV(fields({"$GPGSV", "3", "9", "0"}))) << "no satellites stops early";
    EXPECT_EQ(parser.current().SatelliteCount, 0u);
}

TEST(VRDGpsData, DuplicateIsIndependentAndClearRestoresDefaults)
{
    VRDGpsData fix;
    fix.Latitude = 1.0;
    fix.setSVonChannelWithFirstSecond(5, 40, 3);
    VRDGpsData copy = fix.duplicate();
    copy.Latitude = 2.0;
    copy.setSVonChannelWithSecond(41, 3);
    EXPECT_EQ(fix.Latitude, 1.0);
    EXPECT_EQ(fix.SVonChannelAtIndex(3), (_PAIR{5, 40}));
    copy.setSatelliteUsed(9, 12);
    EXPECT_EQ(copy.SatelliteUsedAtIndex(12), 0) << "outside 0 to 11 nothing is written";
    copy.clear();
    EXPECT_EQ(copy, VRDGpsData());
    EXPECT_EQ(copy.NS, 'N');
    EXPECT_EQ(copy.EW, 'E');
}

TEST(VRDNmeaNumber, ReadsTheLeadingNumber)
{
    EXPECT_EQ(VRDNmeaNumber::leadingFloat("  12.5abc"), 12.5f);
    EXPECT_EQ(VRDNmeaNumber::leadingFloat("-.5"), -0.5f);
    EXPECT_EQ(VRDNmeaNumber::leadingFloat("1e3x"), 1000.0f);
    EXPECT_EQ(VRDNmeaNumber::leadingFloat("2e"), 2.0f);
    EXPECT_EQ(VRDNmeaNumber::leadingFloat("abc"), 0.0f);
    EXPECT_EQ(VRDNmeaNumber::leadingFloat("."), 0.0f);
    EXPECT_EQ(VRDNmeaNumber::leadingFloat("1e99"), std::numeric_limits<float>::infinity());
    EXPECT_EQ(VRDNmeaNumber::leadingFloat("1e-99"), 0.0f);
    EXPECT_EQ(VRDNmeaNumber::leadingInteger(" -42x"), -42);
    EXPECT_EQ(VRDNmeaNumber::leadingInteger("7.9"), 7);
    EXPECT_EQ(VRDNmeaNumber::leadingInteger("99999999999"), INT32_MAX);
    EXPECT_EQ(VRDNmeaNumber::leadingInteger("-99999999999"), INT32_MIN);
}
