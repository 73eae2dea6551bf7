#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// How a settings tab lets the user set one FILEDATA field.
enum class VRDRuleKind {
    Range,          // an index from minimum to maximum
    ValueSet,       // one of `values` (a list whose entries map to stored numbers)
    GsensorG,       // a threshold typed in g, stored in hundredths of g
    Share,          // a card-space share in per cent; the three must add up
    AdasSpeed,      // one entry of the speed table of the record's speed unit
    FloatSet,       // one of `floats`, compared in single precision
    WifiName,       // Wi-Fi network name
    WifiPassword,   // Wi-Fi password
    PlateNumber,    // vehicle number, cleaned
};

struct VRDSettingRule {
    std::string_view field;
    VRDRuleKind kind;
    std::int64_t minimum = 0;
    std::int64_t maximum = 0;
    std::span<const std::int64_t> values{};
    std::span<const float> floats{};
};
