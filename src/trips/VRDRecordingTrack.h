#pragma once

#include "trips/VRDTrackSample.h"

#include <optional>
#include <vector>

// The data of one recording as the trips need it; a pure function of the
// file's bytes, so it can be cached by the file's identity alone.
//
// Sample times: when a record of the recording carries an RMC sentence with
// a date and time, rmcBaseUtc is the UTC second (since 1970) that the
// offsets count from. Otherwise the offsets count from the start time in the
// file name, which the card's time zone turns into UTC (VRDCardClock).
struct VRDRecordingTrack {
    // False when the data track could not be reached (no samples then).
    bool readable = false;
    std::optional<double> rmcBaseUtc;
    std::vector<VRDTrackSample> samples;

    friend bool operator==(const VRDRecordingTrack &, const VRDRecordingTrack &) = default;
};
