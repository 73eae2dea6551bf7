#pragma once

#include "config/FILEDATA.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

enum class VRDFieldKind { U8, U16, U32, I32, F32, Text };

// One named field of FILEDATA: where it lies and how its bytes read.
// `count` is the number of elements (1 for a scalar, the byte count for
// text); a two-dimensional array has rows of `rowLength` elements.
struct VRDFieldInfo {
    std::string_view name;
    std::size_t offset;
    std::size_t width;
    VRDFieldKind kind;
    std::size_t count;
    std::size_t rowLength;
};

namespace filedata_detail {
template <std::size_t Actual, std::size_t Expected>
constexpr std::size_t checkedOffset()
{
    static_assert(Actual == Expected, "a FILEDATA field is not at its file offset");
    return Actual;
}
} // namespace filedata_detail

#define TOVIK_FILEDATA_FIELD(name, offset, kind, count, rowLength)                                                    \
    VRDFieldInfo{#name, filedata_detail::checkedOffset<offsetof(FILEDATA, name), offset>(), sizeof(FILEDATA::name), \
                 kind, count, rowLength}

// All fields in offset order: the file layout, checked at compile time.
inline constexpr std::array<VRDFieldInfo, 153> kFileDataFields{{
    TOVIK_FILEDATA_FIELD(cfg_ver, 0, VRDFieldKind::U16, 1, 1),
    TOVIK_FILEDATA_FIELD(checksum, 2, VRDFieldKind::U16, 1, 1),
    TOVIK_FILEDATA_FIELD(modelNum, 4, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(sd_mem_always_ratio, 8, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(sd_mem_event_ratio, 12, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(sd_mem_motion_ratio, 16, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(sd_mem_always_reserved, 20, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(sd_mem_event_reserved, 24, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(sd_mem_motion_reserved, 28, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(aud_enable, 32, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(aud_codec_type, 36, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(aud_sampling_freq, 40, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(aud_bitrate, 44, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(aud_input_vol, 48, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(aud_output_vol, 52, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(vid_enc_res, 56, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(vid_enc_bitrate, 60, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(vid_framerate, 64, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(vid_brightness, 68, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(vid_contrast, 72, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(vid_saturation, 76, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(vid_sharpness, 80, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(vid_hue, 84, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(gsen_x_threshold, 88, VRDFieldKind::I32, 1, 1),
    TOVIK_FILEDATA_FIELD(gsen_y_threshold, 92, VRDFieldKind::I32, 1, 1),
    TOVIK_FILEDATA_FIELD(gsen_z_threshold, 96, VRDFieldKind::I32, 1, 1),
    TOVIK_FILEDATA_FIELD(always_mode_timeout, 100, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(parkmode_x_threshold, 104, VRDFieldKind::I32, 1, 1),
    TOVIK_FILEDATA_FIELD(parkmode_y_threshold, 108, VRDFieldKind::I32, 1, 1),
    TOVIK_FILEDATA_FIELD(parkmode_z_threshold, 112, VRDFieldKind::I32, 1, 1),
    TOVIK_FILEDATA_FIELD(motion1080pCValue, 116, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(motion720pCValue, 120, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(motionBlock, 124, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(high_temp_threshold, 128, VRDFieldKind::I32, 1, 1),
    TOVIK_FILEDATA_FIELD(high_temp_duration, 132, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(safe_temp_threshold, 136, VRDFieldKind::I32, 1, 1),
    TOVIK_FILEDATA_FIELD(safe_temp_duration, 140, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(composite_mode, 144, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(osd_option, 148, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(osd_speed_flag, 152, VRDFieldKind::I32, 1, 1),
    TOVIK_FILEDATA_FIELD(osd_plate_flag, 156, VRDFieldKind::I32, 1, 1),
    TOVIK_FILEDATA_FIELD(plate_number, 160, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(speed_disp_unit, 164, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(time_gmt, 168, VRDFieldKind::I32, 1, 1),
    TOVIK_FILEDATA_FIELD(summer_time, 172, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(nodriving_day, 176, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(auto_drive_in_mode_on, 180, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(auto_park_in_mode_on, 184, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(motion_detect_mode_on, 188, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(event_only_mode_on, 192, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(g_sensor_enable, 196, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(audio_mux_enable, 200, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(safe_temp_mode_on, 204, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(alarm_ontime_flag, 208, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(voiceEnable, 212, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(drivingSecurity, 216, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(parkingSecurity, 220, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(SaveDuration, 224, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(MemConfig, 228, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(BrightnessFixed, 232, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(DayTime, 236, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(NightTime, 240, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(Brightness1, 244, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(ledoff, 248, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(Gamma, 252, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(szPlateNumber, 256, VRDFieldKind::Text, 8, 8),
    TOVIK_FILEDATA_FIELD(vid_enc_bitrate_R, 264, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(vid_brightness_R, 268, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(vid_sharpness_R, 272, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(lcd_autopoweroff, 276, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(lcd_brightness, 280, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(lcd_screensaver, 284, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(parking_rear_off, 288, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(sd2_mem_always_ratio, 292, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(sd2_mem_event_ratio, 296, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(sd2_mem_motion_ratio, 300, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(flip_video, 304, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(parking_alarm, 308, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(rear_fps, 312, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(motion_zone, 316, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(motionBlock_Rear, 320, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(ledoff_rear, 324, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(always_mode_recording_time, 328, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(pip_position, 332, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(always_motion, 336, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(lcd_brightness_night, 340, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(size_rear, 344, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(front_cpl_use, 348, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(rear_cpl_use, 352, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(wifi_ssid, 356, VRDFieldKind::Text, 16, 16),
    TOVIK_FILEDATA_FIELD(wifi_password, 372, VRDFieldKind::Text, 16, 16),
    TOVIK_FILEDATA_FIELD(CableVoltCorr, 388, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(autoFormatAlarm, 392, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(ADAS_Car, 396, VRDFieldKind::U8, 1, 1),
    TOVIK_FILEDATA_FIELD(ADAS_Ldws_Speed, 397, VRDFieldKind::U8, 1, 1),
    TOVIK_FILEDATA_FIELD(ADAS_FCWS_Speed, 398, VRDFieldKind::U8, 1, 1),
    TOVIK_FILEDATA_FIELD(ADAS_FCMD_Enable, 399, VRDFieldKind::U8, 1, 1),
    TOVIK_FILEDATA_FIELD(ADAS_LDWS_Sens, 400, VRDFieldKind::U8, 1, 1),
    TOVIK_FILEDATA_FIELD(ADAS_FCWS_Sens, 401, VRDFieldKind::U8, 1, 1),
    TOVIK_FILEDATA_FIELD(ADAS_FCMD_Sens, 402, VRDFieldKind::U8, 1, 1),
    TOVIK_FILEDATA_FIELD(dummy1, 403, VRDFieldKind::U8, 1, 1),
    TOVIK_FILEDATA_FIELD(vide_wdr_enable, 404, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(ParkingMode, 408, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(En_SuperNightVision, 412, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(wifi_channel, 416, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(hood, 420, VRDFieldKind::F32, 1, 1),
    TOVIK_FILEDATA_FIELD(horizon, 424, VRDFieldKind::F32, 1, 1),
    TOVIK_FILEDATA_FIELD(horizonPan, 428, VRDFieldKind::F32, 1, 1),
    TOVIK_FILEDATA_FIELD(AutoCalibration, 432, VRDFieldKind::I32, 1, 1),
    TOVIK_FILEDATA_FIELD(ADAS_uFCWS_Sens, 436, VRDFieldKind::I32, 1, 1),
    TOVIK_FILEDATA_FIELD(ADAS_HeadWayFactor, 440, VRDFieldKind::F32, 1, 1),
    TOVIK_FILEDATA_FIELD(ADAS_SafeDistacne, 444, VRDFieldKind::F32, 1, 1),
    TOVIK_FILEDATA_FIELD(ADAS_vibe, 448, VRDFieldKind::I32, 1, 1),
    TOVIK_FILEDATA_FIELD(LDW_width_L, 452, VRDFieldKind::F32, 1, 1),
    TOVIK_FILEDATA_FIELD(LDW_width_R, 456, VRDFieldKind::F32, 1, 1),
    TOVIK_FILEDATA_FIELD(LaneWidth, 460, VRDFieldKind::I32, 1, 1),
    TOVIK_FILEDATA_FIELD(b_model, 464, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(vehicletype, 468, VRDFieldKind::I32, 1, 1),
    TOVIK_FILEDATA_FIELD(vehiclemodel, 472, VRDFieldKind::I32, 20, 20),
    TOVIK_FILEDATA_FIELD(vehiclecarnum, 552, VRDFieldKind::I32, 17, 17),
    TOVIK_FILEDATA_FIELD(vehiclelisencee, 620, VRDFieldKind::I32, 10, 10),
    TOVIK_FILEDATA_FIELD(vehiclecode, 660, VRDFieldKind::I32, 90, 18),
    TOVIK_FILEDATA_FIELD(vehicleregi, 1020, VRDFieldKind::I32, 9, 9),
    TOVIK_FILEDATA_FIELD(vehicle_driver, 1056, VRDFieldKind::I32, 1, 1),
    TOVIK_FILEDATA_FIELD(comm_mode0, 1060, VRDFieldKind::I32, 1, 1),
    TOVIK_FILEDATA_FIELD(comm_mode1, 1064, VRDFieldKind::I32, 1, 1),
    TOVIK_FILEDATA_FIELD(comm_speed_factor0, 1068, VRDFieldKind::I32, 1, 1),
    TOVIK_FILEDATA_FIELD(comm_speed_factor1, 1072, VRDFieldKind::I32, 1, 1),
    TOVIK_FILEDATA_FIELD(comm_speed_factor2, 1076, VRDFieldKind::I32, 1, 1),
    TOVIK_FILEDATA_FIELD(comm_speed_factor3, 1080, VRDFieldKind::I32, 1, 1),
    TOVIK_FILEDATA_FIELD(comm_rpm_pulse0, 1084, VRDFieldKind::I32, 1, 1),
    TOVIK_FILEDATA_FIELD(comm_rpm_pulse1, 1088, VRDFieldKind::I32, 1, 1),
    TOVIK_FILEDATA_FIELD(comm_rpm_pulse2, 1092, VRDFieldKind::I32, 1, 1),
    TOVIK_FILEDATA_FIELD(comm_rpm_pulse3, 1096, VRDFieldKind::I32, 1, 1),
    TOVIK_FILEDATA_FIELD(Car_height0, 1100, VRDFieldKind::I32, 1, 1),
    TOVIK_FILEDATA_FIELD(Car_height1, 1104, VRDFieldKind::I32, 1, 1),
    TOVIK_FILEDATA_FIELD(Car_height2, 1108, VRDFieldKind::I32, 1, 1),
    TOVIK_FILEDATA_FIELD(Car_leftwidth0, 1112, VRDFieldKind::I32, 1, 1),
    TOVIK_FILEDATA_FIELD(Car_leftwidth1, 1116, VRDFieldKind::I32, 1, 1),
    TOVIK_FILEDATA_FIELD(Car_leftwidth2, 1120, VRDFieldKind::I32, 1, 1),
    TOVIK_FILEDATA_FIELD(Car_rightwidth0, 1124, VRDFieldKind::I32, 1, 1),
    TOVIK_FILEDATA_FIELD(Car_rightwidth1, 1128, VRDFieldKind::I32, 1, 1),
    TOVIK_FILEDATA_FIELD(Car_rightwidth2, 1132, VRDFieldKind::I32, 1, 1),
    TOVIK_FILEDATA_FIELD(b_angle, 1136, VRDFieldKind::I32, 1, 1),
    TOVIK_FILEDATA_FIELD(NONE_wifi_dongle, 1140, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(wifiStartMode, 1144, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(vibratorStrength, 1148, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(dummy00, 1152, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(dummy01, 1156, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(dummy02, 1160, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(dummy03, 1164, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(dummy04, 1168, VRDFieldKind::U32, 1, 1),
    TOVIK_FILEDATA_FIELD(debug_mode, 1172, VRDFieldKind::U32, 1, 1),
}};

#undef TOVIK_FILEDATA_FIELD

namespace filedata_detail {
// The fields cover the record without gaps or overlaps, each element being
// as wide as its kind says.
consteval bool fieldsTileTheRecord()
{
    std::size_t end = 0;
    for (const VRDFieldInfo &field : kFileDataFields) {
        const std::size_t elementWidth = field.kind == VRDFieldKind::U8 || field.kind == VRDFieldKind::Text ? 1
            : field.kind == VRDFieldKind::U16                                                            ? 2
                                                                                                           : 4;
        if (field.offset != end || field.width != elementWidth * field.count || field.count % field.rowLength != 0)
            return false;
        end += field.width;
    }
    return end == kFileDataSize;
}
static_assert(fieldsTileTheRecord(), "FILEDATA fields must tile the 1176 bytes");
} // namespace filedata_detail

// Reads and writes fields by name and element index, for tools that treat
// the record generically (the command-line tool, the fuzz target).
class VRDFileDataFields {
public:
    static const VRDFieldInfo *find(std::string_view name);

    // Element `index` of an integer field (U8, U16, U32, I32).
    static std::int64_t integerAt(const FILEDATA &record, const VRDFieldInfo &field, std::size_t index = 0);
    static float floatAt(const FILEDATA &record, const VRDFieldInfo &field, std::size_t index = 0);
    // A text field up to its first NUL byte (all its bytes when full).
    static std::string textOf(const FILEDATA &record, const VRDFieldInfo &field);

    // Writers; the value must fit the field (callers check with the rules).
    static void setInteger(FILEDATA &record, const VRDFieldInfo &field, std::int64_t value, std::size_t index = 0);
    static void setFloat(FILEDATA &record, const VRDFieldInfo &field, float value);
    // The text's bytes, cut after the field's width, NUL-padded.
    static void setText(FILEDATA &record, const VRDFieldInfo &field, std::string_view text);
};
