#pragma once

#include <cstdint>
#include <vector>

// Turns an MP4 written by ffmpeg (ftyp, free, mdat, moov) into the camera's
// layout with a data track: ffmpeg's media bytes and its audio and video
// tracks are kept, their chunk offsets moved to where the media now lies,
// and the data chunks are appended after the media and listed by the data
// track, moov's fifth child (CameraMp4Writer does the layout).
class CameraLayoutRewriter {
public:
    using Bytes = std::vector<std::uint8_t>;

    // Throws std::runtime_error when the input is not such an MP4 (a box
    // missing, a movie time scale other than milliseconds, more than three
    // tracks) or when an offset no longer fits its table.
    static Bytes rewrite(const Bytes &encoded, const std::vector<Bytes> &dataChunks, std::uint32_t durationMs);

    // A recording without pictures or sound: only the data track.
    static Bytes dataOnly(const std::vector<Bytes> &dataChunks, std::uint32_t durationMs);

private:
    static void moveChunkOffsets(Bytes &trak, std::int64_t delta);
};
