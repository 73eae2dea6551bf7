#include "config/VRDFileData.h"

#include "io/TKLittleEndian.h"
#include "io/TKReadFully.h"
#include "io/TKSafeFileWriter.h"

#include <algorithm>
#include <cstring>
#include <ctime>

#include <fcntl.h>
#include <unistd.h>

namespace {

std::uint8_t *bytesOf(FILEDATA &record)
{
    return reinterpret_cast<std::uint8_t *>(&record);
}

const std::uint8_t *bytesOf(const FILEDATA &record)
{
    return reinterpret_cast<const std::uint8_t *>(&record);
}

bool isAccepted(const FILEDATA &record, std::size_t bytesRead)
{
    return bytesRead == kFileDataSize && record.modelNum == kFileDataModelNumber;
}

template <std::size_t N>
void setText(char (&field)[N], std::string_view text)
{
    std::memset(field, 0, N);
    std::memcpy(field, text.data(), std::min(text.size(), N));
}

} // namespace

bool VRDReadFileData(const std::string &path, FILEDATA &record)
{
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    const std::size_t total = TKReadFully(descriptor, bytesOf(record), kFileDataSize);
    ::close(descriptor);
    return isAccepted(record, total);
}

bool VRDReadFileDataFromBytes(std::span<const std::uint8_t> bytes, FILEDATA &record)
{
    const std::size_t count = std::min(bytes.size(), kFileDataSize);
    std::memcpy(bytesOf(record), bytes.data(), count);
    return isAccepted(record, count);
}

TKStatus<TKFileError> VRDWriteFileData(const FILEDATA &record, const std::string &path)
{
    if (std::optional<TKFileError> error = TKSafeFileWriter::writeWhole(
            path, std::string_view(reinterpret_cast<const char *>(bytesOf(record)), kFileDataSize)))
        return std::move(*error);
    return {};
}

void VRDDefaultFileData(FILEDATA &r)
{
    r.cfg_ver = 22310;
    r.modelNum = kFileDataModelNumber;
    r.sd_mem_always_ratio = 70;
    r.sd_mem_event_ratio = 10;
    r.sd_mem_motion_ratio = 20;
    r.sd_mem_always_reserved = 12100;
    r.sd_mem_event_reserved = 0;
    r.sd_mem_motion_reserved = 0;
    r.aud_enable = 3;
    r.aud_codec_type = 0;
    r.aud_sampling_freq = 1;
    r.aud_bitrate = 1;
    r.aud_input_vol = 3;
    r.aud_output_vol = 2;
    r.vid_enc_res = 0;
    r.vid_enc_bitrate = 1;
    r.vid_framerate = 0;
    r.vid_brightness = 3;
    r.vid_contrast = 128;
    r.vid_saturation = 128;
    r.vid_sharpness = 2;
    r.vid_hue = 2;
    r.gsen_x_threshold = 50;
    r.gsen_y_threshold = 50;
    r.gsen_z_threshold = 50;
    r.always_mode_timeout = 10;
    r.parkmode_x_threshold = 8;
    r.parkmode_y_threshold = 8;
    r.parkmode_z_threshold = 8;
    r.motion1080pCValue = 3;
    r.motion720pCValue = 3;
    r.motionBlock = 0x60;
    r.high_temp_threshold = 97;
    r.high_temp_duration = 3600;
    r.safe_temp_threshold = 92;
    r.safe_temp_duration = 60;
    r.composite_mode = 0;
    r.osd_option = 0;
    r.osd_speed_flag = 1;
    r.osd_plate_flag = 0;
    r.plate_number = 0;
    r.speed_disp_unit = 0;
    r.nodriving_day = 0;
    r.auto_drive_in_mode_on = 1;
    r.auto_park_in_mode_on = 1;
    r.motion_detect_mode_on = 1;
    r.event_only_mode_on = 0;
    r.g_sensor_enable = 1;
    r.audio_mux_enable = 1;
    r.safe_temp_mode_on = 1;
    r.alarm_ontime_flag = 1;
    r.voiceEnable = 1;
    r.drivingSecurity = 60;
    r.parkingSecurity = 20;
    r.SaveDuration = 1;
    r.MemConfig = 176;
    r.BrightnessFixed = 3000;
    r.DayTime = 1;
    r.NightTime = 0;
    r.ledoff = 0;
    r.Gamma = 0;
    setText(r.szPlateNumber, "Tovik");
    r.vid_enc_bitrate_R = 1;
    r.vid_brightness_R = 2;
    r.vid_sharpness_R = 2;
    r.lcd_autopoweroff = 0;
    r.lcd_brightness = 2;
    r.lcd_screensaver = 1;
    r.parking_rear_off = 0;
    r.sd2_mem_always_ratio = 1;
    r.sd2_mem_event_ratio = 98;
    r.sd2_mem_motion_ratio = 1;
    r.flip_video = 0;
    r.parking_alarm = 1;
    r.rear_fps = 0;
    r.motion_zone = 0;
    r.motionBlock_Rear = 0x60;
    r.ledoff_rear = 0;
    r.always_mode_recording_time = 1;
    r.pip_position = 0;
    r.always_motion = 0;
    r.lcd_brightness_night = 1;
    r.size_rear = 0;
    r.front_cpl_use = 0;
    r.rear_cpl_use = 0;
    setText(r.wifi_ssid, "TovikK");
    setText(r.wifi_password, "73737373");
    r.CableVoltCorr = 4;
    r.autoFormatAlarm = 2;
    r.ADAS_Car = 1;
    r.ADAS_Ldws_Speed = 40;
    r.ADAS_FCWS_Speed = 10;
    r.ADAS_FCMD_Enable = 1;
    r.ADAS_LDWS_Sens = 8;
    r.ADAS_FCWS_Sens = 6;
    r.ADAS_FCMD_Sens = 1;
    r.vide_wdr_enable = 1;
    r.ParkingMode = 0;
    r.En_SuperNightVision = 0;
    r.wifi_channel = 0;
    r.hood = 80.0f;
    r.horizon = 50.0f;
    r.horizonPan = 50.0f;
    r.AutoCalibration = 1;
    r.ADAS_uFCWS_Sens = 4;
    r.ADAS_HeadWayFactor = 1.5f;
    r.ADAS_SafeDistacne = 1.0f;
    r.ADAS_vibe = 1;
    r.LDW_width_L = 1.0f;
    r.LDW_width_R = 1.0f;
    r.LaneWidth = 4;
    r.b_model = 0;
    r.Car_height0 = 1;
    r.Car_height1 = 3;
    r.Car_height2 = 0;
    r.Car_leftwidth0 = 1;
    r.Car_leftwidth1 = 0;
    r.Car_leftwidth2 = 0;
    r.Car_rightwidth0 = 1;
    r.Car_rightwidth1 = 0;
    r.Car_rightwidth2 = 0;
    r.b_angle = 1;
    r.NONE_wifi_dongle = 0;
    r.wifiStartMode = 0;
    r.vibratorStrength = 2;
    r.dummy00 = 0;
    r.dummy01 = 0;
    r.dummy02 = 0;
    r.dummy03 = 0;
    r.dummy04 = 0;
    r.debug_mode = 1;
}

void VRDResetFileData(FILEDATA &record)
{
    VRDDefaultFileData(record);
    record.motion1080pCValue = 3;
    record.motion720pCValue = 3;
}

TKStatus<TKFileError> VRDWriteDefaultFile(const std::string &path)
{
    FILEDATA record{};
    VRDDefaultFileData(record);
    VRDPrepareFileDataForSave(record);
    return VRDWriteFileData(record, path);
}

std::uint16_t VRDCheckWord(const FILEDATA &record)
{
    const std::uint8_t *bytes = bytesOf(record);
    std::uint16_t word = 0;
    for (std::size_t offset = 4; offset < kFileDataSize; offset += 4)
        word = static_cast<std::uint16_t>(word ^ le_u16::read(bytes + offset));
    return word;
}

void VRDPrepareFileDataForSave(FILEDATA &record)
{
    record.osd_plate_flag = record.szPlateNumber[0] != '\0' ? 1 : 0;
    record.checksum = 0;
    record.checksum = VRDCheckWord(record);
}

std::int32_t VRDTimeZoneIndexForOffset(long offsetSeconds)
{
    const long hours = offsetSeconds / 3600;
    const long minutes = (offsetSeconds - hours * 3600) / 60;
    const long value = hours * 100 + minutes;
    for (std::size_t i = 0; i < kVRDTimeZones.size(); ++i) {
        if (kVRDTimeZones[i].value == value)
            return static_cast<std::int32_t>(i);
    }
    return -1;
}

std::int32_t VRDTimeZoneIndex()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (::localtime_r(&now, &local) == nullptr)
        return -1;
    return VRDTimeZoneIndexForOffset(local.tm_gmtoff);
}
