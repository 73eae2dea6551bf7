#pragma once

#include <cstdint>
#include <vector>

// The sample table of one track as its samples are written: sizes, durations,
// chunks and sync samples, kept compact (durations and chunk runs are run-length
// coded) so that a long recording costs a few bytes per sample. Builds the
// stbl children stts, stss, stsc, stsz and stco.
class VRDMp4SampleTable {
public:
    using Bytes = std::vector<std::uint8_t>;

    // A sample that continues the current chunk, or starts a new one at `fileOffset`.
    void addSample(std::uint32_t size, std::uint32_t duration, bool syncSample, bool startsChunk, std::uint64_t fileOffset);

    std::uint32_t sampleCount() const { return static_cast<std::uint32_t>(m_sizes.size()); }
    std::uint64_t totalDuration() const { return m_totalDuration; }
    bool empty() const { return m_sizes.empty(); }

    Bytes timeToSample() const;  // stts
    Bytes syncSamples() const;   // stss
    Bytes sampleToChunk() const; // stsc
    Bytes sampleSizes() const;   // stsz
    // stco; every chunk offset must fit 32 bits (the writer checks the file size).
    Bytes chunkOffsets() const;

private:
    struct DurationRun {
        std::uint32_t count;
        std::uint32_t duration;
    };

    std::vector<std::uint32_t> m_sizes;
    std::vector<DurationRun> m_durations;
    std::vector<std::uint32_t> m_syncSamples;        // 1-based sample numbers
    std::vector<std::uint64_t> m_chunkOffsets;
    std::vector<std::uint32_t> m_samplesPerChunk;
    std::uint64_t m_totalDuration = 0;
};
