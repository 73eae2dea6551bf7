#include "widgets/TKLocalization.h"

#include <QCoreApplication>
#include <QFile>
#include <QTranslator>
#include <gtest/gtest.h>

namespace {

// Every key the windows look up.
const char *const kKeys[] = {
    "filelist.mode", "filelist.date", "filelist.time", "filelist.file",
    "media.always", "media.motion", "media.event", "media.unknown",
    "setting.window_title", "setting.video", "setting.basic", "setting.gps", "setting.aux", "setting.park",
    "setting.motion", "setting.adas", "setting.audio", "setting.driveinfoview", "setting.information",
    "setting.initialize", "setting.sdcardformat", "save", "cancel", "open", "export", "today",
    "unuse", "use", "off", "on", "none", "auto", "default", "time", "brightness", "insensitive", "sensitive",
    "externpower", "cpl_unuse", "cpl_use", "light_tinting", "dark_tinting", "summerTime",
    "nSecond_fmt", "nMinute_fmt", "nHour_fmt", "mon", "tue", "wed", "thu", "fri", "sat", "sun",
    "setting.video.front_quality", "setting.video.rear_quality", "setting.video.quality_normal",
    "setting.video.quality_high", "setting.video.quality_highest", "setting.video.front_setting",
    "setting.video.rear_setting", "setting.video.rear_reversal", "setting.video.rear_fps",
    "setting.video.front_tinting", "setting.video.rear_tinting", "setting.video.cpl_filter_use",
    "setting.video.viewangle", "setting.video.viewangle_standard", "setting.video.viewangle_adas",
    "setting.video.channel", "setting.video.channel_1", "setting.video.channel_2",
    "setting.basic.auto_parking_waiting_time", "setting.basic.driving_impact_sensitivity",
    "setting.basic.parking_impact_sensitivity", "setting.basic.front_LED_settings",
    "setting.basic.rear_LED_settings", "setting.basic.LED_use", "setting.basic.LED_notuse",
    "setting.basic.cutoff_voltage_setting", "setting.basic.cable_voltage_loss", "setting.basic.enable_gsensor",
    "setting.basic.use_external_power", "setting.basic.car_number_input", "setting.basic.set_voltage",
    "setting.basic.set_timer", "setting.basic.power_guide", "setting.basic.customize",
    "setting.gps.weekly_alarm", "setting.gps.speed_display", "setting.gps.timezone_setting",
    "setting.gps.osd_speed_display", "setting.gps.driving_route_info_saving_interval",
    "setting.gps.gps_on_parking_mode", "setting.gps.gps_guide1", "setting.gps.gps_speed_guide1",
    "setting.gps.gps_time_guide1", "setting.gps.gps_guide2",
    "setting.aux.sdcard_capacity", "setting.aux.always", "setting.aux.motion", "setting.aux.event",
    "setting.aux.motion_sense_setting", "setting.aux.night_ae_setting", "setting.aux.low",
    "setting.aux.medium_sedan", "setting.aux.high_suv", "setting.aux.lcd_auto_off",
    "setting.aux.country_ac_power_setting", "setting.aux.lcd_brightness", "setting.aux.lcd_brightness_auto",
    "setting.aux.parking_rear_setting", "setting.aux.lcd_screensaver", "setting.aux.parking_monitor_notice",
    "setting.aux.recording_length", "setting.aux.pip_position", "setting.aux.auto_format_alarm",
    "setting.aux.auto_format_notuse", "setting.aux.auto_format_4week", "setting.aux.auto_format_8week",
    "setting.aux.auto_format_16week", "setting.aux.auto_format_32week", "setting.aux.wifi_start",
    "setting.aux.wifi_start_off", "setting.aux.wifi_start_on", "setting.aux.ssid_length",
    "setting.aux.ssid_invalid", "setting.aux.password_length", "setting.aux.password_invalid",
    "setting.aux.mic_volume", "setting.aux.speaker_volume", "setting.aux.volume_low", "setting.aux.volume_up",
    "setting.aux.enable_hourly_alarm", "setting.aux.voice_guidance_lang_setting",
    "setting.aux.front_sensitivity", "setting.aux.rear_sensitivity",
    "setting.motion.paking_mode", "setting.motion.paking_mode_motion", "setting.motion.paking_mode_timelapse",
    "setting.motion.night_vision", "setting.motion.night_vision_notuse", "setting.motion.night_vision_use",
    "setting.motion.sensitivity", "setting.motion.block", "setting.motion.block_front",
    "setting.motion.block_rear",
    "setting.adas.ldws_sensitivity", "setting.adas.ldws_speed", "setting.adas.fcws_sensitivity",
    "setting.adas.fcws_speed", "setting.adas.fcmd_enable", "setting.adas.fcmd_enable_sensitivity",
    "setting.adas.HwadwaySensitivity", "setting.adas.HwadwayZone", "setting.adas.Height",
    "setting.adas.LeftWidth", "setting.adas.RightHeight", "setting.adas.LaneWidth", "setting.adas.UFCW",
    "setting.adas.vibrator", "setting.adas.vibrator.intensity", "setting.adas.vibrator.notuse",
    "setting.adas.vibrator.all", "setting.adas.vibrator.level", "setting.adas.vibrator.speed",
    "setting.adas.vibrator.low", "setting.adas.vibrator.middle", "setting.adas.vibrator.high",
    "Korean", "English", "French", "Spanish.Europe", "Arabic", "Chinese", "Russian", "Japanese", "Thai",
    "BahasaIndonesia", "Vietnamese", "Mongolian", "Spanish.SouthAmerica", "German", "Turkish", "Italian",
    "Hindi", "Cantonese", "Czech", "Portuguese", "Malaysia",
    "setting.flashdata.index", "setting.flashdata.seq", "setting.flashdata.date", "setting.flashdata.time",
    "setting.flashdata.yoil", "setting.flashdata.lat", "setting.flashdata.lon", "setting.flashdata.value",
    "setting.flashdata.driving_distance", "setting.flashdata.cur_speed", "setting.flashdata.SPD",
    "setting.flashdata.RPM", "setting.flashdata.FBK", "setting.flashdata.LLL", "setting.flashdata.RLL",
    "setting.flashdata.battery",
    "setting.format.allocation_unit_size", "setting.format.filesystem", "setting.format.format",
    "time.filesave",
    "msg.saved", "msg.file_open_fail", "msg.cannot_format", "msg.format_complete", "msg.write_protected_disk",
    "msg.gsensor_outofrange_fmt", "msg.input_value_invalid_format", "msg.sdcard_ratio_too_low",
    "msg.memconfig_warning", "msg.use_external_power_10v", "msg.video_quality_warning",
    "msg.value_out_of_range", "msg.value_not_allowed", "msg.text_too_long", "msg.sdcard_ratio_sum",
    "player.play", "player.pause", "player.jump_forward", "player.jump_backward", "player.swap", "player.speed_up",
    "player.speed_down", "player.volume_up", "player.volume_down", "player.audio", "player.size_up",
    "player.size_down", "player.fullscreen", "player.capture", "player.print", "player.open_folder",
    "player.settings", "player.clock", "player.close", "player.minimize", "player.list", "player.map",
};

class TKLocalizationTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(TKLocalization::install(*QCoreApplication::instance())); }
};

} // namespace

TEST_F(TKLocalizationTest, EveryKeyHasAText)
{
    // Asked directly, the table answers nothing for a key it lacks (some texts equal their keys).
    QTranslator table;
    ASSERT_TRUE(table.load(TKLocalization::tablePath("en")));
    for (const char *key : kKeys) {
        EXPECT_FALSE(table.translate(nullptr, key).isEmpty()) << key;
        EXPECT_EQ(TKLocalizedString(key), table.translate(nullptr, key)) << key;
    }
    EXPECT_TRUE(table.translate(nullptr, "setting.no_such_key").isEmpty());
    EXPECT_EQ(TKLocalizedString("msg.saved"), "Saved.");
    EXPECT_EQ(TKLocalizedString(QStringLiteral("filelist.date")), "Date");
}

TEST_F(TKLocalizationTest, MissingKeyShowsTheKeyAndInstallingTwiceIsHarmless)
{
    EXPECT_EQ(TKLocalizedString("setting.no_such_key"), "setting.no_such_key");
    // Numeric list entries go through the table with their own text as key.
    EXPECT_EQ(TKLocalizedString("2.0"), "2.0");
    EXPECT_TRUE(TKLocalization::install(*QCoreApplication::instance(), {"xx"}));
    EXPECT_EQ(TKLocalizedString("media.event"), "Event");
}

TEST_F(TKLocalizationTest, FormatKeysTakeTheirValues)
{
    EXPECT_EQ(TKLocalizedString("nSecond_fmt").arg(30), "30 sec");
    const QString range = TKLocalizedString("msg.gsensor_outofrange_fmt").arg(0.05).arg(1.5);
    EXPECT_TRUE(range.contains("0.05") && range.contains("1.5")) << range.toStdString();
}

TEST_F(TKLocalizationTest, DriveLogTitlesHoldNoCommaForTheUnquotedExport)
{
    for (const char *key : kKeys) {
        if (QByteArray(key).startsWith("setting.flashdata."))
            EXPECT_FALSE(TKLocalizedString(key).contains(',')) << key;
    }
}
