#pragma once

#include "blackbox/VRDBlackBoxSnapshot.h"

#include <string>
#include <vector>

// Writes the samples of one extraction as text for people and programs.
// Numbers in JSON and CSV print in their shortest form that reads back to
// the same value; single-precision G-sensor values print as their exact
// double value.
namespace VRDTelemetryFormatter {

std::string json(const std::string &path, bool ok, const VRDBlackBoxSnapshot &samples);
// One row per sample, with the sample's own (record) fix.
std::string csv(const VRDBlackBoxSnapshot &samples);
// GPX 1.1, one track point per record fix that has a position and a time:
// `pointTimes` holds each sample's UTC time as GPX text, empty when unknown
// (a point without a time is refused by common GPS tools, so it is left out).
// The track is named `trackName` when one is given.
std::string gpx(const VRDBlackBoxSnapshot &samples, const std::vector<std::string> &pointTimes,
                const std::string &trackName = {});
std::string summary(const VRDBlackBoxSnapshot &samples);

} // namespace VRDTelemetryFormatter
