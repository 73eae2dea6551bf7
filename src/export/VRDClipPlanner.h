#pragma once

#include "export/VRDClip.h"
#include "media/VRDMediaCatalog.h"

#include <functional>
#include <optional>
#include <string>

// Turns "seconds S to T of this recording" into a clip: the recording, the
// ones of the same camera that follow it without a gap (their start within
// kJoinGapSeconds of the previous one's end), and the twin of each, found
// through the catalog's front/rear pairs as the viewer finds them.
class VRDClipPlanner {
public:
    static constexpr double kJoinGapSeconds = 2.0;

    // Seconds of a recording's video, or nothing when it cannot be read.
    using DurationProbe = std::function<std::optional<double>(const std::string &path)>;

    struct Result {
        std::optional<VRDClip> clip;
        std::string error; // one line when there is no clip
    };

    VRDClipPlanner(const VRDMediaCatalog &catalog, DurationProbe probe);

    Result plan(const std::string &path, double from, double to) const;

    // The part from `from` to `to` (chain time, clamped to what exists) of
    // the recording at `path` and those of its camera that it follows or
    // that follow it without a gap; empty when `path` is not in the catalog.
    std::vector<VRDClipSegment> stretch(const std::string &path, double from, double to) const;

private:
    // The recordings of the same camera that follow `first` without a gap,
    // `first` first, each whole with its duration, until `span` seconds
    // are covered.
    std::vector<VRDClipSegment> chainFrom(const VRDMedia &first, double span, std::string &error) const;
    // The recordings of the same camera that `first` follows without a gap,
    // latest first, with negative chain starts, until `span` seconds before
    // it are covered.
    std::vector<VRDClipSegment> chainBefore(const VRDMedia &first, double span) const;
    // Whether a recording of `duration` seconds starting at `start` is
    // followed without a gap by one starting at `nextStart` (local seconds).
    static bool follows(long long start, double duration, long long nextStart);
    std::shared_ptr<const VRDMedia> findInCatalog(const std::string &path) const;
    std::optional<VRDClipChannel> twinChannel(const VRDClipChannel &chosen) const;

    const VRDMediaCatalog &m_catalog;
    DurationProbe m_probe;
};
