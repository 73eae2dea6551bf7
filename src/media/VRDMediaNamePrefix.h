#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// A kind prefix of recording names: "alwa_", "motion_", "event_" and the
// "evt…" event prefixes, with the kind they mean and where the 15-character
// time field "yyyymmdd_hhmiss" starts.
struct VRDMediaNamePrefix {
    std::string_view prefix;
    std::int32_t mediaDivision;
    std::size_t timeStart;

    static constexpr std::size_t kTimeFieldLength = 15;

    // The first prefix (in the camera's fixed order, case-sensitive) that
    // starts the name, or nullptr.
    static const VRDMediaNamePrefix *find(std::string_view mediaName);
};
