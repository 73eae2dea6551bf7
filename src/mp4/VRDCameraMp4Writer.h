#pragma once

#include "mp4/VRDMp4OutputFile.h"
#include "mp4/VRDMp4SampleTable.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// Streams a recording in the camera's box layout to a file: ftyp (major brand "avc1"), mdat, then moov
// as the third top-level box. moov's children: mvhd, the media tracks (at most three, padded with "free"
// boxes to three), then the data track as moov's fifth child, whose stbl lists stsd, stts, stsc, stsz and
// stco as its first five children (the path the data-track reader walks). Memory holds only the sample
// tables, never the media: a 4 GB file streams through. 32-bit stco offsets, so the whole file must stay
// below 4 GiB (the sample that would cross it, or finish(), fails).
class VRDCameraMp4Writer {
public:
    struct TrackSetup {
        std::string handler;                 // "vide" or "soun"
        std::uint32_t timescale = 0;         // media time scale of the track
        std::vector<std::uint8_t> sampleDescription;  // a whole "stsd" box, copied from a source recording
        std::uint16_t width = 0, height = 0; // video only (tkhd)
    };

    static constexpr std::size_t kMaxTracks = 3;
    static constexpr std::size_t kDataChunkSize = 210;

    // Writes to `path` (callers pass a temporary name and rename it when finish() succeeded).
    explicit VRDCameraMp4Writer(std::string path);

    // Before the first sample. Answers the track index (0, 1, 2).
    std::optional<int> addTrack(const TrackSetup &setup);
    // Appends one sample to mdat. A sample of another track than the previous one starts a new
    // chunk, so the call order decides the interleaving (callers follow the camera's pattern).
    bool writeSample(int track, std::span<const std::uint8_t> bytes, std::uint32_t duration, bool keyFrame);
    // One data chunk (the camera's 2-byte prefix + 208-byte record = 210 bytes), its own chunk in mdat,
    // listed by the data track's stco; duration in the data track's time scale (milliseconds).
    bool writeDataChunk(std::span<const std::uint8_t> chunk, std::uint32_t durationMs);
    // Writes moov, patches the mdat size, flushes and fsyncs. After a failure the file is unusable
    // (the caller deletes it). error() says why in one line.
    bool finish();
    const std::string &error() const;
    // The file offset where the next sample or data chunk will land.
    std::uint64_t nextSampleOffset() const;
    // True when the failure came from a read-only medium.
    bool writeProtected() const { return m_file.writeProtected(); }

private:
    struct Track {
        TrackSetup setup;
        VRDMp4SampleTable table;
    };

    bool start();
    bool appendToMdat(std::span<const std::uint8_t> bytes, int track, VRDMp4SampleTable &table,
                      std::uint32_t duration, bool syncSample);
    bool fail(std::string message);

    std::string m_path;
    VRDMp4OutputFile m_file;
    std::vector<Track> m_tracks;
    VRDMp4SampleTable m_dataTable;
    std::uint64_t m_mdatOffset = 0;
    int m_lastTrack = -1;
    bool m_started = false;
    bool m_finished = false;
    std::string m_error;
};
