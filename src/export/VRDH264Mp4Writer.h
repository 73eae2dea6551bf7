#pragma once

#include "export/VRDAvPointers.h"

#include <string>

struct AVFormatContext;
struct AVStream;
struct AVCodecParameters;

// The shared video: H.264 from libx264, sound copied as it was recorded,
// both laid out by libavformat's MP4 muxer (index at the front, so a
// player can start before the whole file has arrived).
class VRDH264Mp4Writer {
public:
    struct Setup {
        int width = 0, height = 0;
        AVRational frameRate{30, 1};
        const AVCodecParameters *audio = nullptr; // copied; null for none
        AVRational audioTimeBase{1, 48000};
        const char *preset = "veryfast";
        int crf = 21;
    };

    VRDH264Mp4Writer() = default;
    ~VRDH264Mp4Writer();
    VRDH264Mp4Writer(const VRDH264Mp4Writer &) = delete;
    VRDH264Mp4Writer &operator=(const VRDH264Mp4Writer &) = delete;

    bool open(const std::string &path, const Setup &setup);
    // A YUV 4:2:0 picture shown `seconds` after the video's start.
    bool writePicture(AVFrame &picture, double seconds);
    // One sound packet whose time stamps count in the setup's audio time base
    // from the video's start.
    bool writeAudio(AVPacket &packet);
    // Drains the encoder and writes the index.
    bool finish();
    const std::string &error() const { return m_error; }

private:
    bool drain(bool flushing);
    bool fail(const std::string &what, int result);

    AVFormatContext *m_output = nullptr;
    VRDAvCodecContextPtr m_encoder;
    AVStream *m_video = nullptr;
    AVStream *m_audio = nullptr;
    AVRational m_audioTimeBase{1, 48000};
    VRDAvPacketPtr m_packet;
    bool m_headerWritten = false;
    bool m_fileOpen = false;
    std::string m_error;
};
