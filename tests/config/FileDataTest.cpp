#include "config/VRDFileData.h"

#include "TestFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes bytesOf(const FILEDATA &record)
{
    const auto *begin = reinterpret_cast<const std::uint8_t *>(&record);
    return Bytes(begin, begin + sizeof record);
}

Bytes fileBytes(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void writeBytes(const std::filesystem::path &path, const Bytes &bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char *>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

// A record whose every byte differs from its neighbours, so a field read or
// written at a wrong offset shows.
FILEDATA patternRecord()
{
    FILEDATA record{};
    auto *bytes = reinterpret_cast<std::uint8_t *>(&record);
    for (std::size_t i = 0; i < sizeof record; ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
    record.modelNum = 201;
    return record;
}

class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char *zone)
    {
        if (const char *old = std::getenv("TZ"))
            m_old = old;
        ::setenv("TZ", zone, 1);
        ::tzset();
    }
    ~ScopedTimeZone()
    {
        if (m_old.empty())
            ::unsetenv("TZ");
        else
            ::setenv("TZ", m_old.c_str(), 1);
        ::tzset();
    }

private:
    std::string m_old;
};

} // namespace

TEST(FileData, FieldsAreLittleEndianAtTheirOffsets)
{
    FILEDATA record{};
    record.cfg_ver = 0x5726;
    record.gsen_x_threshold = -2;
    record.hood = 80.0f;
    record.vehiclecode[4][17] = 0x01020304;
    const Bytes bytes = bytesOf(record);
    EXPECT_EQ(bytes[0], 0x26);
    EXPECT_EQ(bytes[1], 0x57);
    EXPECT_EQ((Bytes{bytes.begin() + 88, bytes.begin() + 92}), (Bytes{0xFE, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ((Bytes{bytes.begin() + 420, bytes.begin() + 424}), (Bytes{0x00, 0x00, 0xA0, 0x42}));
    EXPECT_EQ((Bytes{bytes.begin() + 1016, bytes.begin() + 1020}), (Bytes{0x04, 0x03, 0x02, 0x01}));
}

TEST(FileData, EveryFieldRoundTripsThroughTheFile)
{
    TestFolder folder("filedata_roundtrip");
    const FILEDATA written = patternRecord();
    ASSERT_TRUE(VRDWriteFileData(written, folder.path("config.bin")));
    EXPECT_EQ(std::filesystem::file_size(folder.path("config.bin")), 1176u);

    FILEDATA read{};
    ASSERT_TRUE(VRDReadFileData(folder.path("config.bin"), read));
    EXPECT_EQ(bytesOf(read), bytesOf(written));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1) << "no temporary file left";
}

TEST(FileData, AcceptsOnlyWholeRecordsOfModel201)
{
    TestFolder folder("filedata_accept");
    Bytes bytes = bytesOf(patternRecord());
    writeBytes(folder.path("ok.bin"), bytes);
    FILEDATA record{};
    EXPECT_TRUE(VRDReadFileData(folder.path("ok.bin"), record)) << "cfg_ver and checksum are not checked";

    Bytes wrongModel = bytes;
    wrongModel[4] = 202;
    writeBytes(folder.path("model.bin"), wrongModel);
    EXPECT_FALSE(VRDReadFileData(folder.path("model.bin"), record));

    writeBytes(folder.path("short.bin"), Bytes(bytes.begin(), bytes.end() - 1));
    FILEDATA shortRecord{};
    std::memset(static_cast<void *>(&shortRecord), 0xEE, sizeof shortRecord);
    EXPECT_FALSE(VRDReadFileData(folder.path("short.bin"), shortRecord));
    EXPECT_EQ(bytesOf(shortRecord)[1174], bytes[1174]) << "what was read stays in the record";
    EXPECT_EQ(bytesOf(shortRecord)[1175], 0xEE);

    Bytes longer = bytes;
    longer.push_back(1);
    writeBytes(folder.path("long.bin"), longer);
    EXPECT_TRUE(VRDReadFileData(folder.path("long.bin"), record));

    FILEDATA untouched = patternRecord();
    EXPECT_FALSE(VRDReadFileData(folder.path("missing.bin"), untouched));
    EXPECT_EQ(bytesOf(untouched), bytesOf(patternRecord()));
}

TEST(FileData, DefaultsLeaveTheUnsetBytesAlone)
{
    FILEDATA record = patternRecord();
    const Bytes before = bytesOf(record);
    VRDDefaultFileData(record);
    const Bytes after = bytesOf(record);
    for (auto [from, to] : {std::pair{2, 4}, {168, 176}, {244, 248}, {403, 404}, {468, 1100}})
        EXPECT_EQ(Bytes(after.begin() + from, after.begin() + to), Bytes(before.begin() + from, before.begin() + to))
            << "bytes " << from << " to " << to;

    EXPECT_EQ(Bytes(after.begin() + 256, after.begin() + 264), (Bytes{'T', 'o', 'v', 'i', 'k', 0, 0, 0}));
    EXPECT_EQ(std::memcmp(record.wifi_ssid, "TovikK\0\0\0\0\0\0\0\0\0\0", 16), 0);
    EXPECT_EQ(std::memcmp(record.wifi_password, "73737373\0\0\0\0\0\0\0\0", 16), 0);
    EXPECT_EQ(record.cfg_ver, 22310);
    EXPECT_EQ(record.modelNum, 201u);
    EXPECT_EQ(record.sd_mem_always_reserved, 12100u);
    EXPECT_EQ(record.ADAS_HeadWayFactor, 1.5f);
    EXPECT_EQ(record.Car_height1, 3);
    EXPECT_EQ(record.debug_mode, 1u);
}

TEST(FileData, CheckWordXorsTheLowHalvesAfterTheFirstWord)
{
    FILEDATA record{};
    record.cfg_ver = 22310;
    VRDPrepareFileDataForSave(record);
    EXPECT_EQ(record.checksum, 0);

    auto *bytes = reinterpret_cast<std::uint8_t *>(&record);
    bytes[6] = 0x55;
    VRDPrepareFileDataForSave(record);
    EXPECT_EQ(record.checksum, 0) << "high halves do not count";
    bytes[4] = 0x12;
    bytes[1173] = 0x34;
    VRDPrepareFileDataForSave(record);
    EXPECT_EQ(record.checksum, 0x3412);

    record.osd_plate_flag = 7;
    VRDPrepareFileDataForSave(record);
    EXPECT_EQ(record.osd_plate_flag, 0);
    record.szPlateNumber[0] = 'A';
    VRDPrepareFileDataForSave(record);
    EXPECT_EQ(record.osd_plate_flag, 1);
    EXPECT_EQ(record.checksum, 0x3412 ^ 1 ^ 'A') << "plate flag and first plate byte count";
}

TEST(FileData, DefaultFileCarriesPlateFlagAndCheckWord)
{
    TestFolder folder("filedata_default");
    ASSERT_TRUE(VRDWriteDefaultFile(folder.path("config.bin")));
    FILEDATA record{};
    ASSERT_TRUE(VRDReadFileData(folder.path("config.bin"), record));
    EXPECT_EQ(record.osd_plate_flag, 1);
    EXPECT_EQ(record.checksum, VRDCheckWord(record));
    EXPECT_EQ(record.vehicletype, 0);
}

TEST(FileData, TimeZoneIndexFollowsTheProcessZone)
{
    EXPECT_EQ(VRDTimeZoneIndexForOffset(5 * 3600 + 30 * 60), 22);
    EXPECT_EQ(VRDTimeZoneIndexForOffset(-(3 * 3600 + 30 * 60)), 10);
    EXPECT_EQ(VRDTimeZoneIndexForOffset(8 * 3600 + 45 * 60), -1);
    // Daylight-saving time all year (CEST) counts: GMT+1 plus one hour.
    for (const auto &[name, index] : {std::pair{"IST-5:30", 22}, {"CET-1CEST,0/0,J365/25", 16}, {"XYZ-8:45", -1}, {"UTC0", 14}}) {
        ScopedTimeZone zone(name);
        EXPECT_EQ(VRDTimeZoneIndex(), index) << name;
    }
}

TEST(FileData, FailedWritesKeepTheOldFile)
{
    TestFolder folder("filedata_fail");
    const std::string target = folder.path("config.bin");
    FILEDATA old = patternRecord();
    ASSERT_TRUE(VRDWriteFileData(old, target));

    // A folder in the way of the temporary file's folder.
    const auto blocked = VRDWriteFileData(FILEDATA{}, folder.path("nofolder/config.bin"));
    ASSERT_FALSE(blocked);
    EXPECT_EQ(blocked.failure().messageKey, "msg.file_open_fail");
    EXPECT_FALSE(blocked.failure().systemError.empty());

    // A folder where the file should be: the rename fails after writing.
    std::filesystem::create_directory(folder.path("dir.bin"));
    EXPECT_FALSE(VRDWriteFileData(FILEDATA{}, folder.path("dir.bin")));

    // The file size limit stops the write half-way in a child process.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{500, 500};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::_exit(VRDWriteFileData(FILEDATA{}, target) ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "a short write is reported";
    EXPECT_EQ(fileBytes(target), bytesOf(old));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 2)
        << "only config.bin and dir.bin remain";
}
