#include "config/VRDFileData.h"
#include "config/VRDFileDataFields.h"
#include "config/VRDSettingRules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

namespace {

FILEDATA defaults()
{
    FILEDATA record{};
    VRDDefaultFileData(record);
    return record;
}

std::optional<VRDMessage> set(FILEDATA &record, std::string_view field, std::string_view value)
{
    const VRDSettingRule *rule = VRDSettingRules::find(field);
    EXPECT_NE(rule, nullptr) << field;
    if (rule == nullptr)
        return std::nullopt;
    const TKStatus<VRDMessage> applied = VRDSettingRules::apply(record, *rule, value);
    return applied ? std::nullopt : std::optional<VRDMessage>(applied.failure());
}

// The message of the checks that bind fields; none when they pass.
std::optional<VRDMessage> finish(FILEDATA &record, const std::vector<std::string> &changedFields)
{
    const TKStatus<VRDMessage> finished = VRDSettingRules::finish(record, changedFields);
    return finished ? std::nullopt : std::optional<VRDMessage>(finished.failure());
}

} // namespace

TEST(SettingRules, EveryRuleNamesAFieldOnceAndDefaultsSatisfyIt)
{
    std::set<std::string_view> names;
    const FILEDATA record = defaults();
    for (const VRDSettingRule &rule : VRDSettingRules::all()) {
        const VRDFieldInfo *field = VRDFileDataFields::find(rule.field);
        ASSERT_NE(field, nullptr) << rule.field;
        EXPECT_TRUE(names.insert(rule.field).second) << rule.field;
        if (rule.kind == VRDRuleKind::Range) {
            const std::int64_t value = VRDFileDataFields::integerAt(record, *field);
            EXPECT_TRUE(value >= rule.minimum && value <= rule.maximum) << rule.field << " = " << value;
        }
    }
    for (const char *fixed : {"cfg_ver", "checksum", "modelNum", "osd_plate_flag", "hood", "vehicletype", "debug_mode"})
        EXPECT_EQ(VRDSettingRules::find(fixed), nullptr) << fixed << " has no editor";
}

TEST(SettingRules, ListsRangesAndFloats)
{
    FILEDATA record = defaults();
    EXPECT_FALSE(set(record, "always_mode_timeout", "420"));
    EXPECT_EQ(record.always_mode_timeout, 420u);
    EXPECT_EQ(set(record, "always_mode_timeout", "45")->key, "msg.value_not_allowed");
    EXPECT_FALSE(set(record, "time_gmt", "-1"));
    EXPECT_EQ(record.time_gmt, -1);
    EXPECT_EQ(set(record, "time_gmt", "34")->key, "msg.value_out_of_range");
    EXPECT_EQ(set(record, "Brightness1", "3x")->key, "msg.input_value_invalid_format");
    EXPECT_FALSE(set(record, "ADAS_SafeDistacne", "0.7"));
    EXPECT_EQ(record.ADAS_SafeDistacne, 7.0f / 10.0f);
    EXPECT_FALSE(set(record, "ADAS_HeadWayFactor", "1.15"));
    EXPECT_EQ(set(record, "ADAS_HeadWayFactor", "1.6")->key, "msg.value_not_allowed");
    EXPECT_EQ(record.ADAS_HeadWayFactor, 1.15f);
}

TEST(SettingRules, ThresholdsInGStoredInHundredths)
{
    FILEDATA record = defaults();
    EXPECT_FALSE(set(record, "gsen_y_threshold", "0.29"));
    EXPECT_EQ(record.gsen_y_threshold, 29) << "rounded, not truncated to 28";
    EXPECT_FALSE(set(record, "parkmode_z_threshold", "1.5"));
    EXPECT_EQ(record.parkmode_z_threshold, 150);
    EXPECT_EQ(set(record, "gsen_x_threshold", "1.51")->key, "msg.gsensor_outofrange_fmt");
    EXPECT_EQ(set(record, "gsen_x_threshold", "")->key, "msg.input_value_invalid_format");
    EXPECT_EQ(record.gsen_x_threshold, 50);
}

TEST(SettingRules, TextsAreCheckedAndPadded)
{
    FILEDATA record = defaults();
    EXPECT_FALSE(set(record, "szPlateNumber", "12 AB-3456"));
    EXPECT_EQ(std::memcmp(record.szPlateNumber, "12AB3456", 8), 0);
    EXPECT_FALSE(set(record, "szPlateNumber", ""));
    EXPECT_EQ(record.szPlateNumber[0], '\0');

    EXPECT_EQ(set(record, "wifi_ssid", "abcd")->key, "setting.aux.ssid_length");
    EXPECT_EQ(set(record, "wifi_ssid", "my car")->key, "setting.aux.ssid_invalid");
    EXPECT_EQ(set(record, "wifi_ssid", "0123456789abcdefg")->key, "msg.text_too_long");
    EXPECT_FALSE(set(record, "wifi_ssid", "0123456789abcdef"));
    EXPECT_EQ(std::memcmp(record.wifi_ssid, "0123456789abcdef", 16), 0);
    EXPECT_FALSE(set(record, "wifi_ssid", "abcde"));
    EXPECT_EQ(std::memcmp(record.wifi_ssid, "abcde\0\0\0\0\0\0\0\0\0\0\0", 16), 0);
    EXPECT_EQ(set(record, "wifi_password", "1234567")->key, "setting.aux.password_length");
    EXPECT_EQ(set(record, "wifi_password", "12345678\xC3\xA9")->key, "setting.aux.password_invalid");
    EXPECT_FALSE(set(record, "wifi_password", "12345678"));
}

TEST(SettingRules, FinishChecksFieldsThatBelongTogether)
{
    FILEDATA record = defaults();
    ASSERT_FALSE(set(record, "sd_mem_event_ratio", "5"));
    ASSERT_FALSE(set(record, "sd_mem_always_ratio", "75"));
    EXPECT_EQ(finish(record, {"sd_mem_event_ratio"})->key, "msg.sdcard_ratio_too_low");
    ASSERT_FALSE(set(record, "sd_mem_event_ratio", "10"));
    EXPECT_EQ(finish(record, {"sd_mem_event_ratio"})->key, "msg.sdcard_ratio_sum");
    ASSERT_FALSE(set(record, "sd_mem_motion_ratio", "15"));
    EXPECT_FALSE(finish(record, {"sd_mem_motion_ratio"}));

    ASSERT_FALSE(set(record, "ADAS_Ldws_Speed", "70"));
    EXPECT_FALSE(finish(record, {"ADAS_Ldws_Speed"}));
    ASSERT_FALSE(set(record, "speed_disp_unit", "1"));
    EXPECT_EQ(finish(record, {"speed_disp_unit"})->key, "msg.value_not_allowed")
        << "70 is not in the mi/h list";
    ASSERT_FALSE(set(record, "ADAS_Ldws_Speed", "15"));
    EXPECT_FALSE(finish(record, {"ADAS_Ldws_Speed"}));

    record.ledoff_rear = 1;
    ASSERT_FALSE(set(record, "b_model", "1"));
    EXPECT_FALSE(finish(record, {"b_model"}));
    EXPECT_EQ(record.ledoff_rear, 0u) << "no rear LED in one-channel mode";
}
