#include "trips/VRDSampleTimeline.h"

#include <algorithm>
#include <cmath>
#include <map>

std::vector<std::int64_t> VRDSampleTimeline::wholeSeconds(const std::vector<std::uint32_t> &times)
{
    bool countsSeconds = true;
    for (std::size_t i = 1; i < times.size() && countsSeconds; ++i)
        countsSeconds = times[i] >= times[i - 1] && times[i] - times[i - 1] <= kLargestSecondStep;
    std::vector<std::int64_t> seconds(times.size());
    for (std::size_t i = 0; i < times.size(); ++i) {
        seconds[i] = countsSeconds ? std::int64_t{times[i]} - std::int64_t{times[0]}
                                   : static_cast<std::int64_t>(i / kUsualSamplesPerSecond);
    }
    return seconds;
}

std::vector<double> VRDSampleTimeline::spread(const std::vector<std::int64_t> &seconds)
{
    struct Run {
        std::size_t first;
        std::size_t length;
    };
    std::vector<Run> runs;
    for (std::size_t i = 0; i < seconds.size(); ++i) {
        if (runs.empty() || seconds[i] != seconds[runs.back().first])
            runs.push_back({i, 0});
        ++runs.back().length;
    }
    std::map<std::size_t, std::size_t> lengthCounts;
    for (const Run &run : runs)
        ++lengthCounts[run.length];
    std::size_t usual = 1;
    std::size_t usualCount = 0;
    for (const auto &[length, count] : lengthCounts) {
        if (count >= usualCount) {
            usual = length;
            usualCount = count;
        }
    }

    std::vector<double> offsets(seconds.size());
    for (std::size_t r = 0; r < runs.size(); ++r) {
        const Run &run = runs[r];
        const bool partial = run.length < usual && (r == 0 || r + 1 == runs.size());
        const double slots = static_cast<double>(partial ? usual : run.length);
        const std::size_t lead = partial && r == 0 ? usual - run.length : 0;
        for (std::size_t k = 0; k < run.length; ++k)
            offsets[run.first + k] = static_cast<double>(seconds[run.first]) + static_cast<double>(lead + k) / slots;
    }
    return offsets;
}

VRDSampleTimeline::Result VRDSampleTimeline::build(const std::vector<std::uint32_t> &times,
                                                   const std::vector<std::optional<double>> &rmcUtc)
{
    const std::vector<std::int64_t> counted = wholeSeconds(times);
    Result result;
    std::optional<std::size_t> firstAnchor;
    for (std::size_t i = 0; i < rmcUtc.size() && i < counted.size() && !firstAnchor; ++i) {
        if (rmcUtc[i])
            firstAnchor = i;
    }
    if (!firstAnchor) {
        result.offsetSeconds = spread(counted);
        return result;
    }

    std::vector<std::int64_t> utcSeconds(counted.size());
    std::size_t anchor = *firstAnchor;
    for (std::size_t i = 0; i < counted.size(); ++i) {
        if (i < rmcUtc.size() && rmcUtc[i])
            anchor = i;
        const auto anchorSecond = static_cast<std::int64_t>(std::floor(*rmcUtc[anchor]));
        utcSeconds[i] = anchorSecond + (counted[i] - counted[anchor]);
        // A receiver clock that steps back against the camera's never
        // reorders the samples.
        if (i > 0)
            utcSeconds[i] = std::max(utcSeconds[i], utcSeconds[i - 1]);
    }
    const std::int64_t base = utcSeconds.front();
    for (std::int64_t &second : utcSeconds)
        second -= base;
    result.rmcBaseUtc = static_cast<double>(base);
    result.offsetSeconds = spread(utcSeconds);
    return result;
}
