#pragma once

#include <string>
#include <vector>

// One recording's share of a clip: seconds from that file's start.
struct VRDClipSegment {
    std::string path;
    double from = 0.0;
    double to = 0.0;
    double duration = 0.0; // of the whole recording
    // Chain time of the recording's start: seconds from the chosen
    // recording's start, through the recordings joined before it.
    double chainStart = 0.0;
};

// The recordings of one camera that a clip runs through, in order.
struct VRDClipChannel {
    bool front = true;
    std::vector<VRDClipSegment> segments;

    // "F" or "R", the suffix of the camera's file names.
    const char *suffix() const { return front ? "F" : "R"; }
};

// What the user marked: seconds from the start of the chosen recording,
// possibly running on into the recordings that follow it ("chain time"),
// and the channels that cover that stretch, front before rear.
struct VRDClip {
    double from = 0.0;
    double to = 0.0;
    // The camera-style name of the clip without camera suffix and
    // extension: the chosen recording's name with the clip's start time.
    std::string groupName;
    std::vector<VRDClipChannel> channels;
    // Local start time of the chosen recording, seconds since 1970 as its
    // name tells them (the camera's clock).
    long long recordingStartLocal = 0;

    const VRDClipChannel *channel(bool front) const
    {
        for (const VRDClipChannel &c : channels) {
            if (c.front == front)
                return &c;
        }
        return nullptr;
    }
};
