#include "devicedata/VRDDriveInfoColumns.h"
#include "devicedata/VRDDriveInfoCsvWriter.h"
#include "devicedata/VRDDriveInfoLog.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

void writeFile(const std::string &path, const std::vector<std::uint8_t> &bytes)
{
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::string readFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

VRDDriveInfoRecord sample()
{
    VRDDriveInfoRecord r;
    r.seq = 17;
    r.yoil = 2;
    r.value = 2;
    r.year = 124;
    r.month = 3;
    r.day = 5;
    r.hour = 14;
    r.minute = 7;
    r.second = 9;
    r.latitudeWhole = 3734;
    r.latitudeFraction = 5678;
    r.longitudeWhole = 12700;
    r.longitudeFraction = 12;
    r.curSpeed = 88;
    r.drivingDistance = 12345;
    r.spd = -1;
    r.rpm = -2;
    r.fbk = 1;
    r.rll = 0;
    r.lll = 5;
    r.x = 384;
    r.y = -64;
    r.z = 0;
    r.battery = 125;
    r.ttc = 7;
    r.dtc = -7;
    return r;
}

std::vector<std::string> rowTexts(const VRDDriveInfoLog &log, std::int64_t row)
{
    std::vector<std::string> texts;
    for (std::int64_t column = 0; column < 21; ++column)
        texts.push_back(log.stringForColumnIndex(column, row));
    return texts;
}

} // namespace

TEST(DriveInfoLog, RecordBytesRoundTrip)
{
    VRDDriveInfoRecord r = sample();
    r.unknown24 = 0xA1B2C3D4;
    r.unknown28 = -3;
    const auto bytes = r.encode();
    EXPECT_EQ(bytes[20], 0x39) << "distance 12345 little-endian at 20";
    EXPECT_EQ(bytes[32], 0xFE) << "RPM at 32";
    EXPECT_EQ(bytes[36], 0x00) << "RLL before LLL";
    EXPECT_EQ(bytes[38], 0x05);
    EXPECT_EQ(VRDDriveInfoRecord::decode(bytes).encode(), bytes);
}

TEST(DriveInfoLog, CellTextsOfEveryColumn)
{
    VRDDriveInfoRecord second = sample();
    second.yoil = 7;
    second.value = 1;
    second.rpm = -1;
    second.spd = 42;
    second.fbk = 0;
    second.battery = -125;
    VRDDriveInfoRecord third = sample();
    third.value = 9;
    third.rpm = 2500;
    const VRDDriveInfoLog log = VRDDriveInfoLog::fromBytes(VRDDriveInfoLog::toBytes({sample(), second, third}));
    ASSERT_EQ(log.count(), 3);

    EXPECT_EQ(rowTexts(log, 0),
              (std::vector<std::string>{"1", "17", "2024/03/05", "14:07:09", "TUE", "3734.5678", "12700.0012", "F",
                                        "1234.5", "88", "-", "EV", "ON", "-", "OFF", "+1.50", "-0.25", "+0.00",
                                        "12.5", " 0.7", "-0.7"}));
    const std::vector<std::string> row2 = rowTexts(log, 1);
    EXPECT_EQ(row2[0], "2");
    EXPECT_EQ(row2[4], "-");
    EXPECT_EQ(row2[7], "A");
    EXPECT_EQ(row2[10], "42");
    EXPECT_EQ(row2[11], "-");
    EXPECT_EQ(row2[12], "OFF");
    EXPECT_EQ(row2[18], "-12.5");
    EXPECT_EQ(log.stringForColumnIndex(7, 2), "V");
    EXPECT_EQ(log.stringForColumnIndex(11, 2), "2500");
    EXPECT_EQ(log.stringForColumnIndex(21, 0), "X");
    EXPECT_EQ(log.stringForColumnIndex(-1, 0), "X");
    EXPECT_EQ(log.stringForColumnIndex(1, 3), "");
    EXPECT_EQ(VRDDriveInfoColumns::tenths(-32768), "-3276.8");
}

TEST(DriveInfoLog, PositionOfARow)
{
    const VRDDriveInfoLog log = VRDDriveInfoLog::fromBytes(VRDDriveInfoLog::toBytes({sample()}));
    const auto position = log.positionOfRow(0);
    ASSERT_TRUE(position);
    EXPECT_NEAR(position->latitude, 37.57613, 1e-5);
    EXPECT_NEAR(position->longitude, 127.00002, 1e-5);
    EXPECT_FALSE(log.positionOfRow(1));
    EXPECT_FALSE(log.positionOfRow(-1));
}

TEST(DriveInfoLog, ReadsOnlyWholeRecordsTheFileHolds)
{
    const std::string dir = TestFolder("drvinfo_read").path();
    std::vector<std::uint8_t> bytes = VRDDriveInfoLog::toBytes({sample(), sample(), sample()});
    bytes.resize(bytes.size() - 1);
    bytes[0] = 0xFF;
    bytes[1] = 0xFF;
    bytes[2] = 0xFF;
    bytes[3] = 0xFF;
    writeFile(dir + "/huge.drv", bytes);
    VRDDriveInfoLog log;
    ASSERT_FALSE(VRDDriveInfoLog::read(dir + "/huge.drv", log));
    EXPECT_EQ(log.count(), 2) << "a count of 4 294 967 295 reads the two whole records";

    writeFile(dir + "/one.drv", VRDDriveInfoLog::toBytes({sample()}));
    bytes = VRDDriveInfoLog::toBytes({sample(), sample()});
    bytes[0] = 1;
    writeFile(dir + "/fewer.drv", bytes);
    ASSERT_FALSE(VRDDriveInfoLog::read(dir + "/fewer.drv", log));
    EXPECT_EQ(log.count(), 1) << "no more than the header counts";

    writeFile(dir + "/empty.drv", VRDDriveInfoLog::toBytes({}));
    ASSERT_FALSE(VRDDriveInfoLog::read(dir + "/empty.drv", log));
    EXPECT_EQ(log.count(), 0);

    ASSERT_FALSE(VRDDriveInfoLog::read(dir + "/one.drv", log));
    writeFile(dir + "/header.drv", {1, 0, 0});
    EXPECT_TRUE(VRDDriveInfoLog::read(dir + "/header.drv", log));
    EXPECT_TRUE(VRDDriveInfoLog::read(dir + "/missing.drv", log));
    EXPECT_TRUE(VRDDriveInfoLog::read(dir, log));
    EXPECT_EQ(log.count(), 1) << "a failed read keeps the log";
}

TEST(DriveInfoLog, CsvReplacesTheFileAndQuotesWhereNeeded)
{
    const std::string dir = TestFolder("drvinfo_csv").path();
    const std::string path = dir + "/tovik_000.csv";
    writeFile(path, std::vector<std::uint8_t>(5000, 'z'));
    const VRDDriveInfoLog log = VRDDriveInfoLog::fromBytes(VRDDriveInfoLog::toBytes({sample(), sample()}));
    std::vector<std::string> titles;
    for (const auto &column : VRDDriveInfoColumns::kColumns)
        titles.emplace_back(column.title);
    titles[2] = "Date, local";
    titles[3] = "Time \"hh:mm:ss\"";
    ASSERT_FALSE(VRDDriveInfoCsvWriter::write(log, titles, path));

    const std::string text = readFile(path);
    EXPECT_EQ(text, VRDDriveInfoCsvWriter::text(log, titles));
    EXPECT_EQ(text.find('z'), std::string::npos) << "no stale bytes of the older file";
    std::istringstream lines(text);
    std::string header;
    std::getline(lines, header);
    EXPECT_TRUE(header.starts_with("setting.flashdata.index,setting.flashdata.seq,\"Date, local\",\"Time \"\"hh:mm:ss\"\"\",s"))
        << header;
    std::string line;
    int rows = 0;
    while (std::getline(lines, line)) {
        EXPECT_EQ(std::count(line.begin(), line.end(), ','), 20) << line;
        ++rows;
    }
    EXPECT_EQ(rows, 2);
    EXPECT_EQ(VRDDriveInfoCsvWriter::field("a\nb"), "\"a\nb\"");
    EXPECT_EQ(VRDDriveInfoCsvWriter::field(" 0.7"), " 0.7");

    EXPECT_TRUE(VRDDriveInfoCsvWriter::write(log, titles, dir + "/no/such/folder.csv"));
}
