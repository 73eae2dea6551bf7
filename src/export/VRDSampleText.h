#pragma once

#include "blackbox/VRDGSensor.h"
#include "blackbox/VRDGpsData.h"

#include <optional>
#include <string>

// The figures of one data sample as people read them.
namespace VRDSampleText {

struct Position {
    double latitude;  // signed decimal degrees, north positive
    double longitude; // east positive
};

// The record fix's position, or nothing when it has none (0, 0 or out of range).
std::optional<Position> position(const VRDGpsData &fix);
// "48.137154, 11.575382"
std::string decimal(const Position &where);
// "48°08'13.8\"N 11°34'31.4\"E"
std::string degreesMinutesSeconds(const Position &where);
// "52 km/h" or "32 mph" (the record's unit flag decides).
std::string speed(const VRDGpsData &fix);
bool milesPerHour(const VRDGpsData &fix);
// |g| of the three axes.
double gForce(const VRDGSensor &g);

} // namespace VRDSampleText
