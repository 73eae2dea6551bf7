#pragma once

#include "mp4/VRDMp4SampleTable.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

// The movie box of a camera-layout recording: mvhd, the media tracks, "free"
// boxes up to three, and the data track as the fifth child, each track with
// its sample tables. The movie time scale is milliseconds.
class VRDCameraMovieBox {
public:
    using Bytes = std::vector<std::uint8_t>;

    struct MediaTrack {
        std::string_view handler;                 // "vide" or "soun"
        std::uint32_t timescale = 0;
        std::span<const std::uint8_t> sampleDescription;  // whole stsd box
        std::uint16_t width = 0;
        std::uint16_t height = 0;
        const VRDMp4SampleTable *table = nullptr;
    };

    static constexpr std::uint32_t kMovieTimescale = 1000;
    static constexpr std::size_t kTracksBeforeData = 3;

    // `tracks` holds at most three entries (callers check).
    static Bytes build(const std::vector<MediaTrack> &tracks, const VRDMp4SampleTable &dataTable);

private:
    static Bytes movieHeader(std::uint64_t durationMs, std::uint32_t nextTrackId);
    static Bytes mediaTrack(const MediaTrack &track, std::uint32_t trackId);
    static Bytes dataTrack(const VRDMp4SampleTable &table, std::uint32_t trackId);
    static Bytes trackHeader(std::uint32_t trackId, std::uint64_t durationMs, bool audio, std::uint16_t width,
                             std::uint16_t height);
    static Bytes mediaHeader(std::uint32_t timescale, std::uint64_t duration);
    static Bytes handler(std::string_view type, std::string_view name);
    static Bytes dataInformation();
    static Bytes editList(std::uint64_t durationMs);
    static std::uint64_t toMilliseconds(std::uint64_t duration, std::uint32_t timescale);
};
