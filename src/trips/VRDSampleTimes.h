#pragma once

#include "trips/VRDCardProfile.h"
#include "trips/VRDRecordingTrack.h"

#include <optional>
#include <string>
#include <vector>

// The UTC time of every sample of one recording, by the rule the trips use:
// RMC sentences first, else the file name's start time in the card's zone.
namespace VRDSampleTimes {

// The card a recording lies on keeps its config.bin in the recording's
// folder or, for the camera's event folders, in the folder above it.
VRDCardProfile profileFor(const std::string &recordingPath);

// Parallel to the track's samples; empty entries when the recording can be
// placed in time neither way.
std::vector<std::optional<double>> utc(const std::string &recordingPath, const VRDRecordingTrack &track,
                                       const VRDCardProfile &profile);

} // namespace VRDSampleTimes
