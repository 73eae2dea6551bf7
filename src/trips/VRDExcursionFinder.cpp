#include "trips/VRDExcursionFinder.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr double kRawPerG = 256.0;

} // namespace

double VRDExcursionFinder::deviationG(const VRDTrackSample &sample)
{
    int largest = 0;
    for (const std::int16_t d : sample.deviation)
        largest = std::max(largest, std::abs(int{d}));
    return largest / kRawPerG;
}

double VRDExcursionFinder::largestDeviationG(const VRDRecordingTrack &track)
{
    double largest = 0;
    for (const VRDTrackSample &sample : track.samples)
        largest = std::max(largest, deviationG(sample));
    return largest;
}

std::vector<VRDExcursion> VRDExcursionFinder::find(const VRDRecordingTrack &track, const std::array<double, 3> &thresholdG)
{
    std::vector<VRDExcursion> found;
    for (std::size_t i = 0; i < track.samples.size(); ++i) {
        const VRDTrackSample &sample = track.samples[i];
        bool over = false;
        for (std::size_t axis = 0; axis < 3; ++axis)
            over = over || std::abs(int{sample.deviation[axis]}) / kRawPerG > thresholdG[axis];
        if (!over)
            continue;
        const double peak = deviationG(sample);
        const bool close = !found.empty()
            && sample.offsetSeconds - track.samples[found.back().lastSample].offsetSeconds < kMergeSeconds;
        if (close) {
            found.back().lastSample = i;
            found.back().peakG = std::max(found.back().peakG, peak);
        } else {
            found.push_back({i, i, peak});
        }
    }
    return found;
}
