#pragma once

#include "export/VRDAvInput.h"
#include "export/VRDAvPointers.h"
#include "export/VRDClip.h"

#include <cstddef>
#include <string>

// Decodes the pictures of one channel of a clip, recording after
// recording: from the picture shown at the segment's start (the last one
// that began at or before it) to the picture shown at its end.
class VRDChannelFrameReader {
public:
    struct Frame {
        VRDAvFramePtr picture;
        double chainTime = 0.0;
    };

    explicit VRDChannelFrameReader(VRDClipChannel channel);

    // The next picture; an empty picture at the end or after a fault
    // (error() says which).
    Frame next();
    const std::string &error() const { return m_error; }

private:
    bool openSegment();
    // The next decoded picture of the open segment, with its file time.
    VRDAvFramePtr decode(double &fileTime);

    VRDClipChannel m_channel;
    std::size_t m_segment = 0;
    bool m_segmentOpen = false;
    bool m_draining = false;
    VRDAvInput m_input;
    VRDAvCodecContextPtr m_decoder;
    VRDAvPacketPtr m_packet;
    double m_frameSeconds = 0.0;
    double m_startTime = 0.0;
    std::string m_error;
};
