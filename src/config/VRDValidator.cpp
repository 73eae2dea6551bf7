#include "config/VRDValidator.h"

#include <cctype>
#include <charconv>
#include <cmath>

std::optional<double> VRDValidator::scanLeadingNumber(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // Only plain decimals: no "inf", "nan" or hexadecimal forms.
    const bool digitFirst = !text.empty() && std::isdigit(static_cast<unsigned char>(text.front()));
    const bool pointThenDigit =
        text.size() >= 2 && text[0] == '.' && std::isdigit(static_cast<unsigned char>(text[1]));
    if (!digitFirst && !pointThenDigit)
        return std::nullopt;
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || !std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

TKStatus<VRDMessage> VRDValidator::validateGsensorThreshold(std::string_view text)
{
    if (text.empty())
        return {};
    const std::optional<double> value = scanLeadingNumber(text);
    if (!value)
        return VRDMessage{"msg.input_value_invalid_format", {}};
    if (*value < kGsensorMinimum || *value > kGsensorMaximum)
        return VRDMessage{"msg.gsensor_outofrange_fmt", {kGsensorMinimum, kGsensorMaximum}};
    return {};
}

TKStatus<VRDMessage> VRDValidator::validateSDCardSizeRatio(std::int32_t percent)
{
    if (percent < kSDCardMinimumRatio)
        return VRDMessage{"msg.sdcard_ratio_too_low", {}};
    return {};
}
