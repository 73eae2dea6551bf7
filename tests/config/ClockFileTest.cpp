#include "config/TKClockFile.h"

#include "TestFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

std::string readFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

TEST(ClockFile, WritesNineteenBytesFromTheStartWithoutTruncating)
{
    const TestFolder dir("clock");
    const std::string path = dir.path("timeset.cfg");
    const auto time = TKClockFile::parse("2024/03/05 14:07:09");
    ASSERT_TRUE(time);
    ASSERT_TRUE(TKClockFile::write(path, *time));
    EXPECT_EQ(readFile(path), "2024/03/05 14:07:09");

    std::ofstream(path, std::ios::binary | std::ios::trunc) << "0000/00/00 00:00:00ABCDEF";
    ASSERT_TRUE(TKClockFile::write(path, *time));
    EXPECT_EQ(readFile(path), "2024/03/05 14:07:09ABCDEF") << "the six bytes after the 19th stay";

    const auto written = TKClockFile::write(dir.path("missing/timeset.cfg"), *time);
    ASSERT_FALSE(written);
    EXPECT_EQ(written.failure().messageKey, "msg.file_open_fail");
}

TEST(ClockFile, ParsesAndFormatsOnlyRealDates)
{
    EXPECT_TRUE(TKClockFile::parse("2024/02/29 23:59:59"));
    for (const char *bad : {"2023/02/29 10:00:00", "2024/13/01 10:00:00", "2024/01/01 24:00:00", "2024/1/01 10:00:00",
                            "2024/01/01 10:00:00\n", "2024-01-01 10:00:00", "0000/01/01 10:00:00"})
        EXPECT_FALSE(TKClockFile::parse(bad)) << bad;
    std::tm now = TKClockFile::localNow();
    const auto text = TKClockFile::textFor(now);
    ASSERT_TRUE(text);
    EXPECT_EQ(text->size(), 19u);
    now.tm_mon = 12;
    EXPECT_FALSE(TKClockFile::textFor(now));
}
