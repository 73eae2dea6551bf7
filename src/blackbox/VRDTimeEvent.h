#pragma once

#include "blackbox/_SYSTEMTIME.h"

#include <cstdint>

// An event found in the time records: its kind, the sample index where it
// starts and its calendar time.
struct VRDTimeEvent {
    std::uint32_t e = 0;
    std::uint32_t f = 0;
    _SYSTEMTIME t;

    void updateFromObject(const VRDTimeEvent &other) { *this = other; }

    friend bool operator==(const VRDTimeEvent &, const VRDTimeEvent &) = default;
};
