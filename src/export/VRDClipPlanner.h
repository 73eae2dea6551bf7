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

    // The recordings of the same camera that follow `path` without a gap,
    // `path` first, each with its duration; `span` seconds of them at most.
    std::vector<VRDClipSegment> chainFrom(const VRDMedia &first, double span, std::string &error) const;

private:
    std::shared_ptr<const VRDMedia> findInCatalog(const std::string &path) const;
    std::optional<VRDClipChannel> twinChannel(const VRDClipChannel &chosen) const;

    const VRDMediaCatalog &m_catalog;
    DurationProbe m_probe;
};
