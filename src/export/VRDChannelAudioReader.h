#pragma once

#include "export/VRDAvInput.h"
#include "export/VRDAvPointers.h"
#include "export/VRDClip.h"

#include <string>

struct AVCodecParameters;

// Reads the sound packets of one channel of a clip without decoding them,
// recording after recording, each stamped in the first recording's sound
// time base from a chosen origin (chain time).
class VRDChannelAudioReader {
public:
    VRDChannelAudioReader(VRDClipChannel channel, double origin, double end);

    // False with error() set when the first recording cannot be read.
    // hasSound() is false for recordings without sound.
    bool open();
    bool hasSound() const { return m_hasSound; }
    const AVCodecParameters *parameters() const;
    AVRational timeBase() const { return m_timeBase; }

    // The next packet, or null at the end or on a fault (error()).
    VRDAvPacketPtr next();
    const std::string &error() const { return m_error; }

private:
    bool openSegment();

    VRDClipChannel m_channel;
    double m_origin;
    double m_end;
    std::size_t m_segment = 0;
    bool m_segmentOpen = false;
    bool m_hasSound = false;
    VRDAvInput m_first;
    VRDAvInput m_input;
    AVRational m_timeBase{1, 48000};
    double m_startTime = 0.0;
    std::string m_error;
};
