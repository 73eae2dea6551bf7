#pragma once

#include "blackbox/VRDBlackBoxSnapshot.h"
#include "export/VRDClip.h"

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// The data-track samples of a stretch of recordings, joined into one list:
// each sample with its chain time and, where the track tells it, its UTC
// time. Samples spread evenly over their recording's video, as the viewer
// places them (sample i of n at i/n of the length).
class VRDClipSamples {
public:
    // The samples [first, last) of a recording with `count` samples over
    // `duration` seconds that cover the seconds from `from` to `to`.
    static std::pair<std::size_t, std::size_t> sampleRange(std::size_t count, double duration, double from, double to);

    // Reads every segment's data track; a recording without one adds no
    // samples. Nothing, with `error` set, only when a file cannot be read.
    static std::optional<VRDClipSamples> read(const std::vector<VRDClipSegment> &segments, std::string &error);

    const VRDBlackBoxSnapshot &snapshot() const { return m_snapshot; }
    std::size_t count() const { return m_chainTimes.size(); }
    double chainTime(std::size_t sample) const { return m_chainTimes[sample]; }
    // Seconds since 1970 UTC, or nothing when the track's clock is unset.
    std::optional<double> utcSeconds(std::size_t sample) const;
    // The sample shown at that chain time: the last one that started, or
    // nothing before the first.
    std::optional<std::size_t> sampleAt(double chainTime) const;
    // The record fix of a sample (its own position, speed and precision).
    const VRDGpsData &fix(std::size_t sample) const { return m_snapshot.NMEAs[m_snapshot.RecordFixIndexes[sample]]; }
    // The samples whose chain time lies in [from, to].
    VRDClipSamples between(double from, double to) const;

private:
    void append(const VRDBlackBoxSnapshot &source, std::size_t first, std::size_t last, double chainStart,
                double sampleSeconds);

    VRDBlackBoxSnapshot m_snapshot;
    std::vector<double> m_chainTimes;
    std::vector<double> m_utcSeconds; // NaN when unknown
};
