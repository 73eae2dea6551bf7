#pragma once

#include "io/TKLittleEndian.h"

#include <cstddef>
#include <cstdint>
#include <type_traits>

// The camera's settings record, stored as config.bin at the card's root:
// 1176 bytes, little-endian, no padding. Every member reads and writes its
// bytes in little-endian order, so the struct's memory is the file format on
// any host. Field names are the camera's own (some are misspelt or reused
// for other settings; see the comments and VRDFileDataFields).
struct FILEDATA {
    le_u16 cfg_ver;
    le_u16 checksum; // computed on save, never checked on load
    le_u32 modelNum;
    le_u32 sd_mem_always_ratio;
    le_u32 sd_mem_event_ratio;
    le_u32 sd_mem_motion_ratio;
    le_u32 sd_mem_always_reserved; // battery cut-off voltage, mV (0 off, 1 automatic)
    le_u32 sd_mem_event_reserved; // external power supply in use
    le_u32 sd_mem_motion_reserved; // power cut-off timer, hours
    le_u32 aud_enable;
    le_u32 aud_codec_type;
    le_u32 aud_sampling_freq;
    le_u32 aud_bitrate;
    le_u32 aud_input_vol;
    le_u32 aud_output_vol;
    le_u32 vid_enc_res;
    le_u32 vid_enc_bitrate;
    le_u32 vid_framerate;
    le_u32 vid_brightness;
    le_u32 vid_contrast;
    le_u32 vid_saturation;
    le_u32 vid_sharpness;
    le_u32 vid_hue;
    le_i32 gsen_x_threshold;
    le_i32 gsen_y_threshold;
    le_i32 gsen_z_threshold;
    le_u32 always_mode_timeout;
    le_i32 parkmode_x_threshold;
    le_i32 parkmode_y_threshold;
    le_i32 parkmode_z_threshold;
    le_u32 motion1080pCValue;
    le_u32 motion720pCValue;
    le_u32 motionBlock;
    le_i32 high_temp_threshold;
    le_u32 high_temp_duration;
    le_i32 safe_temp_threshold;
    le_u32 safe_temp_duration;
    le_u32 composite_mode;
    le_u32 osd_option;
    le_i32 osd_speed_flag;
    le_i32 osd_plate_flag; // recomputed on every save
    le_u32 plate_number;
    le_u32 speed_disp_unit;
    le_i32 time_gmt; // index into the time-zone list, -1 for none
    le_u32 summer_time;
    le_u32 nodriving_day;
    le_u32 auto_drive_in_mode_on;
    le_u32 auto_park_in_mode_on;
    le_u32 motion_detect_mode_on;
    le_u32 event_only_mode_on;
    le_u32 g_sensor_enable;
    le_u32 audio_mux_enable;
    le_u32 safe_temp_mode_on;
    le_u32 alarm_ontime_flag;
    le_u32 voiceEnable;
    le_u32 drivingSecurity;
    le_u32 parkingSecurity;
    le_u32 SaveDuration;
    le_u32 MemConfig;
    le_u32 BrightnessFixed;
    le_u32 DayTime; // night exposure level
    le_u32 NightTime; // GPS kept on in parking mode
    le_u32 Brightness1; // voice guidance language
    le_u32 ledoff;
    le_u32 Gamma; // mains frequency: 0 = 60 Hz, 1 = 50 Hz
    char szPlateNumber[8];
    le_u32 vid_enc_bitrate_R;
    le_u32 vid_brightness_R;
    le_u32 vid_sharpness_R;
    le_u32 lcd_autopoweroff;
    le_u32 lcd_brightness;
    le_u32 lcd_screensaver;
    le_u32 parking_rear_off; // stored inverted
    le_u32 sd2_mem_always_ratio;
    le_u32 sd2_mem_event_ratio;
    le_u32 sd2_mem_motion_ratio;
    le_u32 flip_video;
    le_u32 parking_alarm;
    le_u32 rear_fps;
    le_u32 motion_zone;
    le_u32 motionBlock_Rear;
    le_u32 ledoff_rear;
    le_u32 always_mode_recording_time;
    le_u32 pip_position;
    le_u32 always_motion;
    le_u32 lcd_brightness_night;
    le_u32 size_rear;
    le_u32 front_cpl_use;
    le_u32 rear_cpl_use;
    char wifi_ssid[16];
    char wifi_password[16];
    le_u32 CableVoltCorr;
    le_u32 autoFormatAlarm;
    std::uint8_t ADAS_Car;
    std::uint8_t ADAS_Ldws_Speed;
    std::uint8_t ADAS_FCWS_Speed;
    std::uint8_t ADAS_FCMD_Enable;
    std::uint8_t ADAS_LDWS_Sens;
    std::uint8_t ADAS_FCWS_Sens;
    std::uint8_t ADAS_FCMD_Sens;
    std::uint8_t dummy1;
    le_u32 vide_wdr_enable;
    le_u32 ParkingMode;
    le_u32 En_SuperNightVision;
    le_u32 wifi_channel;
    le_f32 hood;
    le_f32 horizon;
    le_f32 horizonPan;
    le_i32 AutoCalibration;
    le_i32 ADAS_uFCWS_Sens;
    le_f32 ADAS_HeadWayFactor;
    le_f32 ADAS_SafeDistacne;
    le_i32 ADAS_vibe;
    le_f32 LDW_width_L;
    le_f32 LDW_width_R;
    le_i32 LaneWidth;
    le_u32 b_model;
    le_i32 vehicletype;
    le_i32 vehiclemodel[20];
    le_i32 vehiclecarnum[17];
    le_i32 vehiclelisencee[10];
    le_i32 vehiclecode[5][18];
    le_i32 vehicleregi[9];
    le_i32 vehicle_driver;
    le_i32 comm_mode0;
    le_i32 comm_mode1;
    le_i32 comm_speed_factor0;
    le_i32 comm_speed_factor1;
    le_i32 comm_speed_factor2;
    le_i32 comm_speed_factor3;
    le_i32 comm_rpm_pulse0;
    le_i32 comm_rpm_pulse1;
    le_i32 comm_rpm_pulse2;
    le_i32 comm_rpm_pulse3;
    le_i32 Car_height0;
    le_i32 Car_height1;
    le_i32 Car_height2;
    le_i32 Car_leftwidth0;
    le_i32 Car_leftwidth1;
    le_i32 Car_leftwidth2;
    le_i32 Car_rightwidth0;
    le_i32 Car_rightwidth1;
    le_i32 Car_rightwidth2;
    le_i32 b_angle;
    le_u32 NONE_wifi_dongle; // stored inverted: 0 = dongle used
    le_u32 wifiStartMode;
    le_u32 vibratorStrength;
    le_u32 dummy00;
    le_u32 dummy01;
    le_u32 dummy02;
    le_u32 dummy03;
    le_u32 dummy04;
    le_u32 debug_mode;
};

inline constexpr std::size_t kFileDataSize = 1176;
inline constexpr std::uint32_t kFileDataModelNumber = 201;

static_assert(sizeof(FILEDATA) == kFileDataSize, "FILEDATA must be exactly the file's 1176 bytes");
static_assert(alignof(FILEDATA) == 1, "FILEDATA must have no padding");
static_assert(std::is_standard_layout_v<FILEDATA> && std::is_trivially_copyable_v<FILEDATA>);
