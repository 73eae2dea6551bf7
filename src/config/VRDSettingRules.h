#pragma once

#include "config/FILEDATA.h"
#include "config/VRDMessage.h"
#include "config/VRDSettingRule.h"
#include "io/TKResult.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The values the settings tabs offer for every field they edit, in one
// table, so that the tabs and the command-line tool agree. Fields without a
// rule are not editable.
class VRDSettingRules {
public:
    static std::span<const VRDSettingRule> all();
    static const VRDSettingRule *find(std::string_view field);

    // Checks the typed value against the field's rule and stores it; the
    // message to show when the value is refused.
    static TKStatus<VRDMessage> apply(FILEDATA &record, const VRDSettingRule &rule, std::string_view text);
    // Checks that bind several fields, after a set of `apply` calls on the
    // named fields: the three shares, and the ADAS speeds for the speed unit.
    // Also clears the rear LED in one-channel mode, as the tabs do.
    static TKStatus<VRDMessage> finish(FILEDATA &record, const std::vector<std::string> &changedFields);

    // The ADAS speed table of a speed unit (1 = mi/h, else km/h).
    static std::span<const std::int64_t> adasSpeeds(std::uint32_t speedUnit);
    // Sizes of the Wi-Fi texts: bytes in the record, shortest name and password.
    static constexpr std::size_t kWifiTextBytes = 16;
    static constexpr int kWifiNameMinimum = 5;
    static constexpr int kWifiPasswordMinimum = 8;
    // Characters allowed in the Wi-Fi texts: printable ASCII without blank.
    static bool isValidWifiText(std::string_view text);
};
