#pragma once

#include <cstdint>

// One receiver channel of the satellites in view: satellite number and its
// signal-to-noise ratio.
struct _PAIR {
    std::uint8_t first = 0;
    std::uint8_t second = 0;

    friend bool operator==(const _PAIR &, const _PAIR &) = default;
};
