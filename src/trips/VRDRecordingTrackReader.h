#pragma once

#include "io/VRDByteSource.h"
#include "trips/VRDRecordingTrack.h"

#include <string>

class VRDBlackBoxData;

// Reads one recording's data track with the viewer's extractor and reduces
// it to a VRDRecordingTrack: sample times, plausible fixes, speeds in km/h
// and G-sensor deviations from the recording's resting value (the median of
// each axis, so gravity drops out whichever way the camera is mounted).
class VRDRecordingTrackReader {
public:
    // Never throws; an unreadable file gives a track that is not readable.
    static VRDRecordingTrack read(const std::string &path);
    static VRDRecordingTrack read(VRDByteSource &source);

    static constexpr std::int32_t kMilesPerHourFlag = 0x31;

private:
    static VRDRecordingTrack reduce(const VRDBlackBoxData &data);
};
