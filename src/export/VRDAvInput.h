#pragma once

#include <optional>
#include <string>

struct AVFormatContext;
struct AVStream;

// A recording opened read-only with libavformat; closed with the object.
class VRDAvInput {
public:
    VRDAvInput() = default;
    ~VRDAvInput();
    VRDAvInput(const VRDAvInput &) = delete;
    VRDAvInput &operator=(const VRDAvInput &) = delete;

    // False with error() set when the file cannot be opened or holds no video.
    bool open(const std::string &path);
    const std::string &error() const { return m_error; }

    AVFormatContext *context() const { return m_context; }
    int videoIndex() const { return m_videoIndex; }
    int audioIndex() const { return m_audioIndex; } // -1 without sound
    AVStream *videoStream() const;
    AVStream *audioStream() const;
    // Seconds of the video stream.
    double videoDuration() const;

    // The video's length in seconds, or nothing when it cannot be read.
    static std::optional<double> probeVideoDuration(const std::string &path);

private:
    AVFormatContext *m_context = nullptr;
    int m_videoIndex = -1;
    int m_audioIndex = -1;
    std::string m_error;
};
