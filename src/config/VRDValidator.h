#pragma once

#include "config/VRDMessage.h"
#include "io/TKResult.h"

#include <cstdint>
#include <optional>
#include <string_view>

// Checks of typed settings values: success, or the message to show.
class VRDValidator {
public:
    static constexpr double kGsensorMinimum = 0.05;
    static constexpr double kGsensorMaximum = 1.5;
    static constexpr std::int32_t kSDCardMinimumRatio = 10;

    // Empty text passes; otherwise the leading number must lie in 0.05..1.5 g.
    static TKStatus<VRDMessage> validateGsensorThreshold(std::string_view text);
    static TKStatus<VRDMessage> validateSDCardSizeRatio(std::int32_t percent);

    // The number at the start of the text (leading blanks skipped, anything
    // after it ignored), as a number field's scanner reads it.
    static std::optional<double> scanLeadingNumber(std::string_view text);
};
