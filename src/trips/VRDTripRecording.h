#pragma once

#include "media/VRDMedia.h"
#include "trips/VRDRecordingTrack.h"

#include <memory>

// One moment of the card as the trips see it: the recording of the channel
// its statistics come from (front where it exists, else rear) and its track.
struct VRDTripRecording {
    std::shared_ptr<const VRDMedia> media;
    VRDRecordingTrack track;
};
