#pragma once

#include "blackbox/VRDBlackBoxSnapshot.h"
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
    // The same reduction of lists the viewer has already extracted, so that
    // its graph judges fixes exactly as the trips do.
    static VRDRecordingTrack fromSnapshot(const VRDBlackBoxSnapshot &snapshot);

    static constexpr std::int32_t kMilesPerHourFlag = 0x31;

private:
    // The extractor's lists, one entry per sample (fixes: see RecordFixIndexes).
    struct Lists {
        const std::vector<std::uint32_t> &times;
        const std::vector<VRDGpsData> &fixes;
        const std::vector<std::size_t> &recordFixIndexes;
        const std::vector<VRDAviGpsData> &texts;
        const std::vector<VRDAviGSensorData> &gsensors;
    };

    static VRDRecordingTrack reduce(const Lists &data);
};
