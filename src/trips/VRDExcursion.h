#pragma once

#include <cstddef>

// A stretch of samples in which the G-sensor left its resting value by more
// than the threshold on some axis.
struct VRDExcursion {
    std::size_t firstSample = 0;
    std::size_t lastSample = 0;
    double peakG = 0; // largest deviation of any axis within it
};
