#pragma once

#include <string>
#include <vector>

// A localised message by key with the numbers its format string takes.
struct VRDMessage {
    std::string key;
    std::vector<double> arguments;

    bool operator==(const VRDMessage &) const = default;
};
