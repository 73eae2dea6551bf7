#include "config/VRDCarNumber.h"
#include "config/VRDValidator.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

// The message a check answers; none when the value is acceptable.
std::optional<VRDMessage> messageOf(const TKStatus<VRDMessage> &status)
{
    return status ? std::nullopt : std::optional<VRDMessage>(status.failure());
}

} // namespace

TEST(Validator, GsensorThresholdBoundsAndFormat)
{
    EXPECT_FALSE(messageOf(VRDValidator::validateGsensorThreshold("0.05")));
    EXPECT_FALSE(messageOf(VRDValidator::validateGsensorThreshold("1.5")));
    EXPECT_FALSE(messageOf(VRDValidator::validateGsensorThreshold("  0.5g"))) << "trailing characters are ignored";
    EXPECT_FALSE(messageOf(VRDValidator::validateGsensorThreshold("")));
    const VRDMessage outOfRange{"msg.gsensor_outofrange_fmt", {0.05, 1.5}};
    EXPECT_EQ(messageOf(VRDValidator::validateGsensorThreshold("0.049")), outOfRange);
    EXPECT_EQ(messageOf(VRDValidator::validateGsensorThreshold("1.51")), outOfRange);
    EXPECT_EQ(messageOf(VRDValidator::validateGsensorThreshold("-0.5")), outOfRange);
    for (const char *text : {"abc", "nan", "inf", ".", "-", " g0.5"})
        EXPECT_EQ(messageOf(VRDValidator::validateGsensorThreshold(text)), (VRDMessage{"msg.input_value_invalid_format", {}}))
            << text;
}

TEST(Validator, SDCardShareOfTenOrMore)
{
    EXPECT_EQ(messageOf(VRDValidator::validateSDCardSizeRatio(9)), (VRDMessage{"msg.sdcard_ratio_too_low", {}}));
    EXPECT_EQ(messageOf(VRDValidator::validateSDCardSizeRatio(-3)), (VRDMessage{"msg.sdcard_ratio_too_low", {}}));
    EXPECT_FALSE(messageOf(VRDValidator::validateSDCardSizeRatio(10)));
}

TEST(CarNumber, KeepsAtMostEightAsciiLettersAndDigits)
{
    EXPECT_EQ(VRDCarNumber::clean(u"12 AB-3456"), "12AB3456");
    EXPECT_EQ(VRDCarNumber::clean(u"ab12cd34ef56"), "ab12cd34");
    EXPECT_EQ(VRDCarNumber::clean(u"-- !? --"), "");
    EXPECT_EQ(VRDCarNumber::clean(u"서울12가3456"), "123456") << "non-Latin letters are dropped";
    EXPECT_EQ(VRDCarNumber::clean(u"Ａ1\U0001F697B"), "1B") << "full-width letters and surrogate pairs too";
}
