#pragma once

#include "io/VRDByteSource.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One track of a healthy recording, as far as recovery needs it.
struct VRDReferenceTrack {
    std::string handler;                         // "vide", "soun" or the data track's
    std::uint32_t timescale = 0;
    std::vector<std::uint8_t> sampleDescription; // the whole stsd box
    std::vector<std::uint8_t> decoderConfig;     // avcC payload (video), AudioSpecificConfig (audio)
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint32_t sampleCount = 0;
    std::uint32_t typicalDuration = 0;           // the most common sample duration
    std::uint32_t largestSample = 0;
    std::uint32_t largestChunk = 0;              // samples in the fullest chunk
};

// One chunk of the camera's interleaving, in file order.
struct VRDReferenceChunk {
    enum class Kind { Video, Audio, Data };
    Kind kind = Kind::Video;
    std::uint32_t samples = 0;
};

// What a healthy recording of the same camera tells about a cut-off one:
// the codec set-up, time scales and durations of each track, and how the
// camera interleaves video, audio and data chunks in its media data.
struct VRDReferenceRecording {
    std::optional<VRDReferenceTrack> video;
    std::optional<VRDReferenceTrack> audio;
    std::optional<VRDReferenceTrack> data;
    // The first chunks of the media data, in file order.
    std::vector<VRDReferenceChunk> pattern;

    // Empty, with `error` set, when the recording is not a healthy camera
    // recording with an H.264 video track.
    static std::optional<VRDReferenceRecording> read(VRDByteSource &source, std::string &error);
};
