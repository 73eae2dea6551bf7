#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Lays out a recording as the camera streams it: ffmpeg's video and audio
// samples in ffmpeg's order, and each data chunk placed where its time falls
// among them (the camera writes a sensor sample every 100 ms between its
// media chunks), written with the streaming camera-layout writer. A file cut
// short anywhere then holds media and data up to that point, as a recording
// cut off by a power loss does.
class InterleavedRecordingWriter {
public:
    using Bytes = std::vector<std::uint8_t>;

    // `encoded` is an MP4 (from ffmpeg, or a demo recording) whose first
    // tracks are one H.264 and one AAC track; other tracks are left out.
    // Answers where each video sample landed (offset and size), in order.
    // Throws std::runtime_error when it is not, or the file cannot be written.
    struct Placed {
        std::uint64_t offset;
        std::uint32_t size;
    };
    static std::vector<Placed> write(const Bytes &encoded, const std::vector<Bytes> &dataChunks, std::uint32_t dataDurationMs,
                      const std::string &path);
};
