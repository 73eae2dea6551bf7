#include "demo/DemoCardFilesWriter.h"

#include "config/TKClockFile.h"
#include "config/VRDCarNumber.h"
#include "config/VRDFileData.h"
#include "demo/DemoRoute.h"
#include "devicedata/VRDDriveInfoLog.h"
#include "io/TKSafeFileWriter.h"

#include <cmath>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace {

constexpr int kRecordsPerDay = 43; // 300 records cover a whole week
constexpr int kSecondsBetweenRecords = 10;
constexpr double kSpeedMetresPerSecond = 12.5;

// Degrees in the log's two words: ddmm (or dddmm) and ten-thousandths of a
// minute.
void nmeaWords(double degrees, std::uint16_t &whole, std::uint16_t &fraction)
{
    const double wholeDegrees = std::floor(degrees);
    const double minutes = (degrees - wholeDegrees) * 60.0;
    const double wholeMinutes = std::floor(minutes);
    whole = static_cast<std::uint16_t>(wholeDegrees * 100 + wholeMinutes);
    fraction = static_cast<std::uint16_t>(std::lround((minutes - wholeMinutes) * 10000.0) % 10000);
}

std::int16_t lampState(int index, int period)
{
    if (index % 29 == period)
        return 3; // a value the camera does not define
    return index % period == 0 ? 1 : 0;
}

std::optional<std::string> errorText(const std::string &path, const std::optional<TKFileError> &error)
{
    if (!error)
        return std::nullopt;
    return "cannot write " + path + ": " + error->systemError;
}

std::optional<std::string> errorText(const std::string &path, const TKStatus<TKFileError> &written)
{
    return written ? std::nullopt : errorText(path, std::optional<TKFileError>(written.failure()));
}

FILEDATA demoSettings()
{
    FILEDATA record{};
    VRDResetFileData(record);
    record.time_gmt = 16; // "+02:00", Munich in summer
    record.summer_time = 1;
    record.Brightness1 = 1; // English voice
    record.gsen_x_threshold = 45;
    record.gsen_y_threshold = 50;
    record.gsen_z_threshold = 60;
    record.always_mode_timeout = 60;
    record.vid_enc_bitrate = 2;
    record.speed_disp_unit = 0;
    record.ADAS_Ldws_Speed = 60;
    record.ADAS_SafeDistacne = 1.2f;
    const std::string plate = VRDCarNumber::clean(u"M-TK 2024");
    std::memset(record.szPlateNumber, 0, sizeof record.szPlateNumber);
    std::memcpy(record.szPlateNumber, plate.data(), plate.size());
    std::memset(record.wifi_ssid, 0, sizeof record.wifi_ssid);
    std::memcpy(record.wifi_ssid, "TovikDemo", 9);
    VRDPrepareFileDataForSave(record);
    return record;
}

} // namespace

std::vector<VRDDriveInfoRecord> DemoCardFilesWriter::driveInfoRecords()
{
    const DemoRoute route;
    std::vector<VRDDriveInfoRecord> records;
    for (int i = 0; i < kDriveInfoRecords; ++i) {
        VRDDriveInfoRecord r;
        const int day = i / kRecordsPerDay;
        const int secondOfDay = 8 * 3600 + (i % kRecordsPerDay) * kSecondsBetweenRecords;
        r.seq = static_cast<std::uint16_t>(i + 1);
        r.yoil = static_cast<std::uint8_t>(i == kDriveInfoRecords - 1 ? 7 : day % 7); // 12 May 2024 is a Sunday
        r.value = static_cast<std::uint8_t>(i % 10 == 0 ? 0 : i % 10 == 1 ? 2 : 1);
        r.year = 124;
        r.month = 5;
        r.day = static_cast<std::uint8_t>(12 + day);
        r.hour = static_cast<std::uint8_t>(secondOfDay / 3600);
        r.minute = static_cast<std::uint8_t>(secondOfDay / 60 % 60);
        r.second = static_cast<std::uint8_t>(secondOfDay % 60);
        const double metres = i * kSecondsBetweenRecords * kSpeedMetresPerSecond;
        const DemoRoute::Position position = route.positionAt(metres);
        nmeaWords(position.latitude, r.latitudeWhole, r.latitudeFraction);
        nmeaWords(position.longitude, r.longitudeWhole, r.longitudeFraction);
        r.curSpeed = static_cast<std::uint16_t>(40 + (i * 7) % 15);
        r.drivingDistance = static_cast<std::uint32_t>(metres / 100.0);
        r.spd = static_cast<std::int16_t>(i % 17 == 0 ? -1 : r.curSpeed);
        r.rpm = static_cast<std::int16_t>(i % 20 == 0 ? -2 : i % 23 == 0 ? -1 : 900 + (i * 37) % 2000);
        r.fbk = lampState(i, 5);
        r.rll = lampState(i, 7);
        r.lll = lampState(i, 11);
        r.x = static_cast<std::int16_t>(std::lround(64 * std::sin(i * 0.3)));
        r.y = static_cast<std::int16_t>(std::lround(48 * std::cos(i * 0.2)));
        r.z = static_cast<std::int16_t>(256 + std::lround(20 * std::sin(i * 0.7)));
        r.battery = static_cast<std::int16_t>(i == 13 ? -7 : 121 + i % 20);
        r.ttc = static_cast<std::int16_t>(i % 9 == 0 ? -125 : 15 + i % 40);
        r.dtc = static_cast<std::int16_t>(i % 13 == 0 ? -3 : 200 + i % 50);
        records.push_back(r);
    }
    return records;
}

std::optional<std::string> DemoCardFilesWriter::write(const std::string &cardFolder)
{
    const std::string configPath = cardFolder + "/config.bin";
    if (auto error = errorText(configPath, VRDWriteFileData(demoSettings(), configPath)))
        return error;

    std::tm clock{};
    clock.tm_year = 124;
    clock.tm_mon = 4;
    clock.tm_mday = 18;
    clock.tm_hour = 10;
    const std::string clockPath = cardFolder + "/" + TKClockFile::kFileName;
    if (auto error = errorText(clockPath, TKClockFile::write(clockPath, clock)))
        return error;

    std::error_code made;
    std::filesystem::create_directories(cardFolder + "/DrvInfo", made);
    if (made)
        return "cannot make " + cardFolder + "/DrvInfo: " + made.message();
    const std::string logPath = cardFolder + "/" + VRDDriveInfoLog::kCardPath;
    const std::vector<std::uint8_t> bytes = VRDDriveInfoLog::toBytes(driveInfoRecords());
    return errorText(logPath, TKSafeFileWriter::writeWhole(
                                  logPath, std::string_view(reinterpret_cast<const char *>(bytes.data()), bytes.size())));
}
