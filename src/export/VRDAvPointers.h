#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/frame.h>
}

#include <memory>

// Owning handles of libav's objects, freed by libav's own functions.
struct VRDAvFrameFree {
    void operator()(AVFrame *frame) const { av_frame_free(&frame); }
};
struct VRDAvPacketFree {
    void operator()(AVPacket *packet) const { av_packet_free(&packet); }
};
struct VRDAvCodecContextFree {
    void operator()(AVCodecContext *context) const { avcodec_free_context(&context); }
};

using VRDAvFramePtr = std::unique_ptr<AVFrame, VRDAvFrameFree>;
using VRDAvPacketPtr = std::unique_ptr<AVPacket, VRDAvPacketFree>;
using VRDAvCodecContextPtr = std::unique_ptr<AVCodecContext, VRDAvCodecContextFree>;
