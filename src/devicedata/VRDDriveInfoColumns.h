#pragma once

#include "devicedata/VRDDriveInfoRecord.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The 21 columns of the drive-information table: title, width and the text
// of a cell. Cells are made on demand, so a table of 100 000 rows only
// formats what it shows.
class VRDDriveInfoColumns {
public:
    struct Column {
        std::string_view title; // a localised key, or shown as it stands
        bool localised;
        int width; // points
    };

    static constexpr std::size_t kCount = 21;
    static constexpr std::size_t kLatitude = 5;
    static constexpr std::size_t kLongitude = 6;

    static constexpr std::array<Column, kCount> kColumns{{
        {"setting.flashdata.index", true, 38},
        {"setting.flashdata.seq", true, 38},
        {"setting.flashdata.date", true, 86},
        {"setting.flashdata.time", true, 72},
        {"setting.flashdata.yoil", true, 70},
        {"setting.flashdata.lat", true, 64},
        {"setting.flashdata.lon", true, 72},
        {"setting.flashdata.value", true, 60},
        {"setting.flashdata.driving_distance", true, 60},
        {"setting.flashdata.cur_speed", true, 60},
        {"setting.flashdata.SPD", true, 60},
        {"setting.flashdata.RPM", true, 60},
        {"setting.flashdata.FBK", true, 60},
        {"setting.flashdata.LLL", true, 60},
        {"setting.flashdata.RLL", true, 48},
        {"X", false, 48},
        {"Y", false, 48},
        {"Z", false, 48},
        {"setting.flashdata.battery", true, 60},
        {"TTC", false, 60},
        {"DTC", false, 60},
    }};

    // The text of `column` (0 to 20) for a record shown at table row `row`.
    static std::string text(const VRDDriveInfoRecord &record, std::size_t column, std::int64_t row);

    // Tenths with one sign: 125 -> "12.5", 7 -> " 0.7", -7 -> "-0.7".
    static std::string tenths(std::int16_t value);
};
