#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Lays out a recording in the camera's box layout: ftyp (major brand "avc1"
// by default), mdat, then moov whose children are mvhd, three further boxes
// (the given media tracks, padded with "free" boxes) and the data track as
// the fifth child. The data track's stbl ends with the stco box that lists
// the data chunks.
//
// Media bytes and data chunks are appended to mdat in call order; every
// append answers the absolute file offset where its bytes land, so callers
// can build the stco tables of their own tracks before adding them.
class CameraMp4Writer {
public:
    using Bytes = std::vector<std::uint8_t>;

    static constexpr std::size_t kTracksBeforeData = 3;

    struct Output {
        Bytes bytes;
        std::size_t moovOffset = 0;
        std::size_t dataTrackOffset = 0;
        std::size_t stcoOffset = 0;
    };

    explicit CameraMp4Writer(std::string_view majorBrand = "avc1");

    // Absolute file offset of the next appended byte.
    std::uint64_t nextMdatOffset() const;
    std::uint64_t appendMedia(const Bytes &bytes);
    std::uint64_t appendDataChunk(const Bytes &chunk);
    // Lists an offset in the data track's stco without writing a chunk
    // (for files whose table points elsewhere on purpose).
    void addDataChunkOffset(std::uint32_t offset);

    // A complete "trak" box of an audio or video track; at most three.
    void addTrack(const Bytes &trak);
    // A complete "mvhd" box; without one a plain header is made.
    void setMovieHeader(const Bytes &mvhd);
    void setDurationMs(std::uint32_t durationMs);
    // Default: one more than the number of added tracks.
    void setDataTrackId(std::uint32_t trackId);

    Output build() const;
    // Throws std::runtime_error when the file cannot be written.
    void writeFile(const std::string &path) const;

    static Bytes movieHeader(std::uint32_t durationMs, std::uint32_t nextTrackId);

private:
    Bytes fileTypeBox() const;
    Bytes dataTrack() const;
    std::uint32_t dataTrackId() const;

    std::string m_majorBrand;
    Bytes m_mdatPayload;
    std::vector<std::uint32_t> m_dataChunkOffsets;
    std::vector<Bytes> m_tracks;
    Bytes m_movieHeader;
    std::uint32_t m_durationMs = 60000;
    std::uint32_t m_dataTrackId = 0;
};
