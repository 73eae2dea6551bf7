#include "trips/VRDCardProfile.h"

#include "config/VRDFileData.h"

#include <filesystem>

namespace {

double thresholdG(std::int32_t hundredths)
{
    return hundredths > 0 ? hundredths / 100.0 : VRDCardProfile::kDefaultThresholdG;
}

} // namespace

VRDCardProfile VRDCardProfile::forFolder(const std::string &folder)
{
    FILEDATA record{};
    if (!VRDReadFileData((std::filesystem::path(folder) / "config.bin").string(), record))
        return {};
    return fromRecord(record);
}

VRDCardProfile VRDCardProfile::fromRecord(const FILEDATA &record)
{
    VRDCardProfile profile;
    profile.fromConfig = true;
    profile.drivingThresholdG = {thresholdG(record.gsen_x_threshold), thresholdG(record.gsen_y_threshold),
                                 thresholdG(record.gsen_z_threshold)};
    profile.parkingThresholdG = {thresholdG(record.parkmode_x_threshold), thresholdG(record.parkmode_y_threshold),
                                 thresholdG(record.parkmode_z_threshold)};
    profile.milesPerHour = record.speed_disp_unit == 1;
    const std::int32_t zone = record.time_gmt;
    if (zone >= 0 && static_cast<std::size_t>(zone) < kVRDTimeZones.size()) {
        const std::int32_t value = kVRDTimeZones[static_cast<std::size_t>(zone)].value;
        const std::int64_t offset = (value / 100) * 3600 + (value % 100) * 60 + (record.summer_time != 0 ? 3600 : 0);
        profile.clock = VRDCardClock::fixedOffset(offset);
    }
    return profile;
}
