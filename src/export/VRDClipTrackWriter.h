#pragma once

#include "export/VRDClipSamples.h"

#include <string>

// The clip's track for other programs, in the formats `tovik telemetry`
// writes: GPX 1.1 with the UTC time of every point, and CSV of every sample.
namespace VRDClipTrackWriter {

std::string gpx(const VRDClipSamples &samples, const std::string &name);
std::string csv(const VRDClipSamples &samples);

} // namespace VRDClipTrackWriter
