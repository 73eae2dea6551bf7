#include "export/VRDClipPlanner.h"

#include "export/VRDClipName.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

namespace {

// A recording named a second before the previous one's end still follows
// it: names carry whole seconds and durations run a little over.
constexpr double kOverlapSeconds = 1.0;

std::string seconds(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.3g", value);
    return text;
}

bool samePlace(const std::string &a, const std::string &b)
{
    std::error_code error;
    return a == b || std::filesystem::equivalent(a, b, error);
}

} // namespace

VRDClipPlanner::VRDClipPlanner(const VRDMediaCatalog &catalog, DurationProbe probe)
    : m_catalog(catalog), m_probe(std::move(probe))
{
}

std::shared_ptr<const VRDMedia> VRDClipPlanner::findInCatalog(const std::string &path) const
{
    const VRDMedia wanted(path);
    for (const auto &media : m_catalog.medias()) {
        if (media->mediaName() == wanted.mediaName() && media->extension() == wanted.extension()
            && samePlace(media->path(), path))
            return media;
    }
    return nullptr;
}

std::vector<VRDClipSegment> VRDClipPlanner::chainFrom(const VRDMedia &first, double span, std::string &error) const
{
    std::vector<VRDClipSegment> chain;
    const std::optional<double> firstDuration = m_probe(first.path());
    if (!firstDuration || *firstDuration <= 0) {
        error = first.path() + ": cannot read the recording";
        return {};
    }
    chain.push_back({first.path(), 0.0, *firstDuration, *firstDuration, 0.0});
    double covered = *firstDuration;
    std::optional<long long> previousStart = VRDClipName::localStart(first);
    double previousDuration = *firstDuration;
    const auto &medias = m_catalog.medias();
    std::size_t at = 0;
    while (at < medias.size() && medias[at]->path() != first.path())
        ++at;
    for (++at; at < medias.size() && covered < span && previousStart; ++at) {
        const VRDMedia &next = *medias[at];
        if (next.mediaDirection() != first.mediaDirection())
            continue;
        const std::optional<long long> start = VRDClipName::localStart(next);
        if (!start)
            break;
        if (!follows(*previousStart, previousDuration, *start))
            break;
        const std::optional<double> duration = m_probe(next.path());
        if (!duration || *duration <= 0) {
            error = next.path() + ": cannot read the recording";
            return {};
        }
        chain.push_back({next.path(), 0.0, *duration, *duration, covered});
        covered += *duration;
        previousStart = start;
        previousDuration = *duration;
    }
    return chain;
}

bool VRDClipPlanner::follows(long long start, double duration, long long nextStart)
{
    const double gap = static_cast<double>(nextStart - start) - duration;
    return gap >= -kOverlapSeconds && gap <= kJoinGapSeconds;
}

std::vector<VRDClipSegment> VRDClipPlanner::chainBefore(const VRDMedia &first, double span) const
{
    std::vector<VRDClipSegment> chain;
    std::optional<long long> laterStart = VRDClipName::localStart(first);
    const auto &medias = m_catalog.medias();
    std::size_t at = 0;
    while (at < medias.size() && medias[at]->path() != first.path())
        ++at;
    double covered = 0;
    while (at-- > 0 && covered < span && laterStart) {
        const VRDMedia &earlier = *medias[at];
        if (earlier.mediaDirection() != first.mediaDirection())
            continue;
        const std::optional<long long> start = VRDClipName::localStart(earlier);
        const std::optional<double> duration = start ? m_probe(earlier.path()) : std::nullopt;
        if (!duration || *duration <= 0 || !follows(*start, *duration, *laterStart))
            break;
        covered += *duration;
        chain.push_back({earlier.path(), 0.0, *duration, *duration, -covered});
        laterStart = start;
    }
    return chain;
}

std::vector<VRDClipSegment> VRDClipPlanner::stretch(const std::string &path, double from, double to) const
{
    const std::shared_ptr<const VRDMedia> media = findInCatalog(path);
    if (!media)
        return {};
    std::string error;
    std::vector<VRDClipSegment> whole = chainBefore(*media, -from);
    std::reverse(whole.begin(), whole.end());
    for (const VRDClipSegment &segment : chainFrom(*media, to, error))
        whole.push_back(segment);
    std::vector<VRDClipSegment> parts;
    for (VRDClipSegment segment : whole) {
        segment.from = std::max(0.0, from - segment.chainStart);
        segment.to = std::min(segment.duration, to - segment.chainStart);
        if (segment.to > segment.from)
            parts.push_back(segment);
    }
    return parts;
}

std::optional<VRDClipChannel> VRDClipPlanner::twinChannel(const VRDClipChannel &chosen) const
{
    VRDClipChannel twin;
    twin.front = !chosen.front;
    for (const VRDClipSegment &segment : chosen.segments) {
        const std::optional<VRDMediaPair> pair = m_catalog.findMediaPairWithFileName(segment.path);
        const std::shared_ptr<const VRDMedia> other = pair ? (chosen.front ? pair->rearMedia : pair->frontMedia) : nullptr;
        if (!other)
            return std::nullopt;
        const std::optional<double> duration = m_probe(other->path());
        if (!duration || *duration <= 0)
            return std::nullopt;
        // A twin a little shorter than its recording ends where it ends.
        const double to = std::min(segment.to, *duration);
        if (to <= segment.from)
            return std::nullopt;
        twin.segments.push_back({other->path(), segment.from, to, *duration, segment.chainStart});
    }
    return twin;
}

VRDClipPlanner::Result VRDClipPlanner::plan(const std::string &path, double from, double to) const
{
    if (!std::isfinite(from) || !std::isfinite(to) || from < 0 || from >= to)
        return {std::nullopt, "bad range: --from must be at least 0 and below --to"};
    const std::shared_ptr<const VRDMedia> media = findInCatalog(path);
    if (!media || media->mediaDirection() == VRDMedia::DirectionUnknown)
        return {std::nullopt, path + ": not a recording of the camera (name not of the camera's form)"};
    const std::optional<long long> localStart = VRDClipName::localStart(*media);
    if (!localStart)
        return {std::nullopt, path + ": the recording's name holds no valid time"};

    std::string error;
    const std::vector<VRDClipSegment> chain = chainFrom(*media, to, error);
    if (chain.empty())
        return {std::nullopt, error};
    if (from >= chain.front().duration)
        return {std::nullopt, "bad range: --from " + seconds(from) + " lies past the end of " + path + " ("
                    + seconds(chain.front().duration) + " s)"};
    double total = 0;
    for (const VRDClipSegment &segment : chain)
        total += segment.duration;
    if (to > total)
        return {std::nullopt, "bad range: --to " + seconds(to) + " lies past the end of the recordings that follow on ("
                    + seconds(total) + " s)"};

    VRDClipChannel chosen;
    chosen.front = media->mediaDirection() == VRDMedia::DirectionFront;
    double offset = 0;
    for (const VRDClipSegment &segment : chain) {
        const double segmentFrom = std::max(0.0, from - offset);
        const double segmentTo = std::min(segment.duration, to - offset);
        if (segmentTo > segmentFrom)
            chosen.segments.push_back({segment.path, segmentFrom, segmentTo, segment.duration, segment.chainStart});
        offset += segment.duration;
    }

    VRDClip clip;
    clip.from = from;
    clip.to = to;
    clip.recordingStartLocal = *localStart;
    clip.groupName = VRDClipName::groupNameAt(*media, *localStart + static_cast<long long>(std::floor(from)));
    std::optional<VRDClipChannel> twin = twinChannel(chosen);
    if (chosen.front) {
        clip.channels.push_back(std::move(chosen));
        if (twin)
            clip.channels.push_back(std::move(*twin));
    } else {
        if (twin)
            clip.channels.push_back(std::move(*twin));
        clip.channels.push_back(std::move(chosen));
    }
    return {std::move(clip), {}};
}
