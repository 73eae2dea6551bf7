#include "config/VRDSettingRules.h"

#include "config/VRDCarNumber.h"
#include "config/VRDFileDataFields.h"
#include "config/VRDValidator.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

using Rule = VRDSettingRule;
using Kind = VRDRuleKind;

constexpr std::array<std::int64_t, 13> kCutOffVoltages{0,     1,     10000, 11500, 11600, 11700, 11800,
                                                       11900, 12000, 12100, 12200, 12300, 12400};
constexpr std::array<std::int64_t, 8> kCutOffHours{0, 3, 6, 9, 12, 24, 36, 48};
constexpr std::array<std::int64_t, 9> kParkingWaitSeconds{0, 10, 30, 60, 120, 180, 300, 420, 600};
constexpr std::array<std::int64_t, 11> kSpeedsKmh{0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100};
constexpr std::array<std::int64_t, 11> kSpeedsMph{0, 10, 15, 20, 25, 30, 40, 45, 50, 55, 60};
constexpr std::array<float, 9> kHeadwayFactors{1.1f, 1.15f, 1.2f, 1.25f, 1.3f, 1.35f, 1.4f, 1.45f, 1.5f};
// Headway zone list "0.6" to "3.0": (index + 6) / 10 in single precision.
constexpr std::array<float, 25> kHeadwayZones = [] {
    std::array<float, 25> zones{};
    for (std::size_t i = 0; i < zones.size(); ++i)
        zones[i] = static_cast<float>(static_cast<int>(i) + 6) / 10.0f;
    return zones;
}();

constexpr Rule range(std::string_view field, std::int64_t minimum, std::int64_t maximum)
{
    return Rule{field, Kind::Range, minimum, maximum};
}

template <std::size_t N>
constexpr Rule oneOf(std::string_view field, const std::array<std::int64_t, N> &values)
{
    return Rule{field, Kind::ValueSet, 0, 0, values};
}

template <std::size_t N>
constexpr Rule oneOf(std::string_view field, const std::array<float, N> &values)
{
    return Rule{field, Kind::FloatSet, 0, 0, {}, values};
}

constexpr Rule of(std::string_view field, Kind kind)
{
    return Rule{field, kind};
}

constexpr std::array kRules{
    // Video tab
    range("vid_enc_bitrate", 0, 2), range("vid_enc_bitrate_R", 0, 2), range("vid_brightness", 0, 4),
    range("vid_brightness_R", 0, 4), range("flip_video", 0, 1), range("rear_fps", 0, 1),
    range("front_cpl_use", 0, 3), range("rear_cpl_use", 0, 2), range("En_SuperNightVision", 0, 1),
    range("b_angle", 0, 1), range("b_model", 0, 1),
    // Basic tab
    oneOf("always_mode_timeout", kParkingWaitSeconds), range("g_sensor_enable", 0, 1),
    of("gsen_x_threshold", Kind::GsensorG), of("gsen_y_threshold", Kind::GsensorG),
    of("gsen_z_threshold", Kind::GsensorG), of("parkmode_x_threshold", Kind::GsensorG),
    of("parkmode_y_threshold", Kind::GsensorG), of("parkmode_z_threshold", Kind::GsensorG),
    range("ledoff", 0, 1), range("ledoff_rear", 0, 1), of("szPlateNumber", Kind::PlateNumber),
    oneOf("sd_mem_always_reserved", kCutOffVoltages), range("sd_mem_event_reserved", 0, 1),
    oneOf("sd_mem_motion_reserved", kCutOffHours), range("CableVoltCorr", 1, 7),
    // GPS tab
    range("nodriving_day", 0, 7), range("speed_disp_unit", 0, 1), range("osd_speed_flag", 0, 1),
    range("time_gmt", -1, 33), range("summer_time", 0, 1), range("SaveDuration", 0, 7), range("NightTime", 0, 1),
    // Audio tab
    range("aud_input_vol", 0, 3), range("aud_output_vol", 0, 3), range("alarm_ontime_flag", 0, 1),
    range("Brightness1", 0, 20),
    // Motion and parking tab
    range("motion720pCValue", 0, 5), range("motion1080pCValue", 0, 5), range("motionBlock", 0, 0xFFF),
    range("motionBlock_Rear", 0, 0xFFF), range("ParkingMode", 0, 1),
    // ADAS tab
    range("ADAS_LDWS_Sens", 0, 20), of("ADAS_Ldws_Speed", Kind::AdasSpeed), range("ADAS_FCWS_Sens", 0, 20),
    of("ADAS_FCWS_Speed", Kind::AdasSpeed), range("ADAS_FCMD_Enable", 0, 1), range("ADAS_FCMD_Sens", 0, 2),
    oneOf("ADAS_HeadWayFactor", kHeadwayFactors), oneOf("ADAS_SafeDistacne", kHeadwayZones),
    range("ADAS_uFCWS_Sens", 0, 4), range("LaneWidth", 0, 10), range("ADAS_vibe", 0, 3),
    range("vibratorStrength", 0, 3), range("Car_height0", 0, 9), range("Car_height1", 0, 9),
    range("Car_height2", 0, 9), range("Car_leftwidth0", 0, 9), range("Car_leftwidth1", 0, 9),
    range("Car_leftwidth2", 0, 9), range("Car_rightwidth0", 0, 9), range("Car_rightwidth1", 0, 9),
    range("Car_rightwidth2", 0, 9),
    // Aux tab
    of("sd_mem_always_ratio", Kind::Share), of("sd_mem_motion_ratio", Kind::Share),
    of("sd_mem_event_ratio", Kind::Share), range("DayTime", 0, 2), range("lcd_autopoweroff", 0, 3),
    range("Gamma", 0, 1), range("lcd_brightness", 0, 2), range("lcd_brightness_night", 0, 1),
    range("parking_rear_off", 0, 1), range("lcd_screensaver", 0, 2), range("parking_alarm", 0, 1),
    range("always_mode_recording_time", 0, 1), range("pip_position", 0, 3), range("autoFormatAlarm", 0, 4),
    of("wifi_ssid", Kind::WifiName), of("wifi_password", Kind::WifiPassword), range("wifi_channel", 0, 13),
    range("wifiStartMode", 0, 1), range("NONE_wifi_dongle", 0, 1),
};

VRDMessage notAllowed(std::span<const std::int64_t> values)
{
    return VRDMessage{"msg.value_not_allowed", std::vector<double>(values.begin(), values.end())};
}

std::optional<std::int64_t> parseInteger(std::string_view text)
{
    std::int64_t value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<double> parseNumber(std::string_view text)
{
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::u16string asciiToUtf16(std::string_view text)
{
    std::u16string units;
    for (const char c : text)
        units.push_back(static_cast<unsigned char>(c) < 0x80 ? static_cast<char16_t>(c) : u'\uFFFD');
    return units;
}

TKStatus<VRDMessage> applyWifiText(FILEDATA &record, const VRDFieldInfo &field, std::string_view text,
                                        int minimum, const char *lengthKey, const char *invalidKey)
{
    if (text.size() < static_cast<std::size_t>(minimum))
        return VRDMessage{lengthKey, {}};
    if (!VRDSettingRules::isValidWifiText(text))
        return VRDMessage{invalidKey, {}};
    if (text.size() > VRDSettingRules::kWifiTextBytes)
        return VRDMessage{"msg.text_too_long", {static_cast<double>(VRDSettingRules::kWifiTextBytes)}};
    VRDFileDataFields::setText(record, field, text);
    return {};
}

} // namespace

std::span<const VRDSettingRule> VRDSettingRules::all()
{
    return kRules;
}

const VRDSettingRule *VRDSettingRules::find(std::string_view field)
{
    const auto found = std::find_if(kRules.begin(), kRules.end(), [field](const Rule &rule) { return rule.field == field; });
    return found == kRules.end() ? nullptr : &*found;
}

std::span<const std::int64_t> VRDSettingRules::adasSpeeds(std::uint32_t speedUnit)
{
    if (speedUnit == 1)
        return kSpeedsMph;
    return kSpeedsKmh;
}

bool VRDSettingRules::isValidWifiText(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '!' && c <= '~'; });
}

TKStatus<VRDMessage> VRDSettingRules::apply(FILEDATA &record, const VRDSettingRule &rule, std::string_view text)
{
    const VRDFieldInfo *field = VRDFileDataFields::find(rule.field);
    if (field == nullptr)
        return VRDMessage{"msg.input_value_invalid_format", {}};
    switch (rule.kind) {
    case Kind::Range:
    case Kind::ValueSet:
    case Kind::Share:
    case Kind::AdasSpeed: {
        const std::optional<std::int64_t> value = parseInteger(text);
        if (!value)
            return VRDMessage{"msg.input_value_invalid_format", {}};
        if (rule.kind == Kind::Range && (*value < rule.minimum || *value > rule.maximum))
            return VRDMessage{"msg.value_out_of_range", {static_cast<double>(rule.minimum), static_cast<double>(rule.maximum)}};
        if (rule.kind == Kind::ValueSet && std::find(rule.values.begin(), rule.values.end(), *value) == rule.values.end())
            return notAllowed(rule.values);
        if (rule.kind == Kind::Share && (*value < 0 || *value > 100))
            return VRDMessage{"msg.value_out_of_range", {0, 100}};
        if (rule.kind == Kind::AdasSpeed && (*value < 0 || *value > 255))
            return VRDMessage{"msg.value_out_of_range", {0, 255}};
        VRDFileDataFields::setInteger(record, *field, *value);
        return {};
    }
    case Kind::GsensorG: {
        // The tab accepts an empty field as 0; here a value must be given.
        if (text.empty())
            return VRDMessage{"msg.input_value_invalid_format", {}};
        if (const TKStatus<VRDMessage> valid = VRDValidator::validateGsensorThreshold(text); !valid)
            return valid;
        // Rounded, not truncated: 0.29 g must be stored as 29, although
        // 0.29 * 100 is slightly below 29 in double precision.
        const double grams = *VRDValidator::scanLeadingNumber(text);
        VRDFileDataFields::setInteger(record, *field, std::llround(grams * 100.0));
        return {};
    }
    case Kind::FloatSet: {
        const std::optional<double> value = parseNumber(text);
        if (!value)
            return VRDMessage{"msg.input_value_invalid_format", {}};
        const float single = static_cast<float>(*value);
        if (std::find(rule.floats.begin(), rule.floats.end(), single) == rule.floats.end())
            return VRDMessage{"msg.value_not_allowed", std::vector<double>(rule.floats.begin(), rule.floats.end())};
        VRDFileDataFields::setFloat(record, *field, single);
        return {};
    }
    case Kind::WifiName:
        return applyWifiText(record, *field, text, VRDSettingRules::kWifiNameMinimum, "setting.aux.ssid_length", "setting.aux.ssid_invalid");
    case Kind::WifiPassword:
        return applyWifiText(record, *field, text, VRDSettingRules::kWifiPasswordMinimum, "setting.aux.password_length",
                             "setting.aux.password_invalid");
    case Kind::PlateNumber:
        VRDFileDataFields::setText(record, *field, VRDCarNumber::clean(asciiToUtf16(text)));
        return {};
    }
    return VRDMessage{"msg.input_value_invalid_format", {}};
}

TKStatus<VRDMessage> VRDSettingRules::finish(FILEDATA &record, const std::vector<std::string> &changedFields)
{
    const auto changed = [&changedFields](std::string_view name) {
        return std::find(changedFields.begin(), changedFields.end(), name) != changedFields.end();
    };
    if (changed("sd_mem_always_ratio") || changed("sd_mem_motion_ratio") || changed("sd_mem_event_ratio")) {
        for (const std::uint32_t share : {record.sd_mem_always_ratio.get(), record.sd_mem_motion_ratio.get(),
                                          record.sd_mem_event_ratio.get()}) {
            if (const TKStatus<VRDMessage> valid = VRDValidator::validateSDCardSizeRatio(static_cast<std::int32_t>(share)); !valid)
                return valid;
        }
        if (record.sd_mem_always_ratio + record.sd_mem_motion_ratio + record.sd_mem_event_ratio != 100)
            return VRDMessage{"msg.sdcard_ratio_sum", {100}};
    }
    if (changed("ADAS_Ldws_Speed") || changed("ADAS_FCWS_Speed") || changed("speed_disp_unit")) {
        const std::span<const std::int64_t> speeds = adasSpeeds(record.speed_disp_unit);
        for (const std::int64_t speed : {std::int64_t{record.ADAS_Ldws_Speed}, std::int64_t{record.ADAS_FCWS_Speed}}) {
            if (std::find(speeds.begin(), speeds.end(), speed) == speeds.end())
                return notAllowed(speeds);
        }
    }
    if (record.b_model == 1)
        record.ledoff_rear = 0;
    return {};
}
