#pragma once

#include "trips/VRDExcursion.h"
#include "trips/VRDRecordingTrack.h"

#include <array>
#include <vector>

// Finds the G-sensor excursions of one recording: samples whose deviation
// from the resting value exceeds the per-axis threshold, runs of them closer
// than kMergeSeconds taken as one.
class VRDExcursionFinder {
public:
    static constexpr double kMergeSeconds = 5.0;

    static std::vector<VRDExcursion> find(const VRDRecordingTrack &track, const std::array<double, 3> &thresholdG);
    // The largest deviation of any axis over all samples, in g.
    static double largestDeviationG(const VRDRecordingTrack &track);
    static double deviationG(const VRDTrackSample &sample);
};
