#pragma once

#include "config/FILEDATA.h"
#include "trips/VRDCardClock.h"

#include <array>
#include <string>

// What the trips take from a card's config.bin: the G-sensor thresholds for
// driving and for parking, the time zone of its file names and its speed
// unit. A folder without a usable config.bin gets 0.5 g on every axis, the
// computer's time zone and km/h.
struct VRDCardProfile {
    static constexpr double kDefaultThresholdG = 0.5;

    std::array<double, 3> drivingThresholdG{kDefaultThresholdG, kDefaultThresholdG, kDefaultThresholdG};
    std::array<double, 3> parkingThresholdG{kDefaultThresholdG, kDefaultThresholdG, kDefaultThresholdG};
    VRDCardClock clock = VRDCardClock::computer();
    bool milesPerHour = false;
    bool fromConfig = false;

    // Reads <folder>/config.bin.
    static VRDCardProfile forFolder(const std::string &folder);
    // Thresholds of 0 or below (no sensing) keep the default; a time-zone
    // index outside the list keeps the computer's zone. Summer time adds an
    // hour to the zone's offset.
    static VRDCardProfile fromRecord(const FILEDATA &record);
};
