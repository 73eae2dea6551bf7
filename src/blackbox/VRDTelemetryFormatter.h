#pragma once

#include "blackbox/VRDBlackBoxSnapshot.h"

#include <string>

// Writes the samples of one extraction as text for people and programs.
// Numbers in JSON and CSV print in their shortest form that reads back to
// the same value; single-precision G-sensor values print as their exact
// double value.
namespace VRDTelemetryFormatter {

std::string json(const std::string &path, bool ok, const VRDBlackBoxSnapshot &samples);
// One row per sample, with the sample's own (record) fix.
std::string csv(const VRDBlackBoxSnapshot &samples);
// GPX 1.1, one track point per record fix that has a position.
std::string gpx(const VRDBlackBoxSnapshot &samples);
std::string summary(const VRDBlackBoxSnapshot &samples);

} // namespace VRDTelemetryFormatter
