#include "trips/VRDSampleTimes.h"

#include "media/VRDMedia.h"
#include "trips/VRDTripBuilder.h"

#include <filesystem>

namespace VRDSampleTimes {

VRDCardProfile profileFor(const std::string &recordingPath)
{
    const std::filesystem::path folder = std::filesystem::path(recordingPath).parent_path();
    for (const std::filesystem::path &candidate : {folder, folder.parent_path()}) {
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate / "config.bin", error)) {
            VRDCardProfile profile = VRDCardProfile::forFolder(candidate.string());
            if (profile.fromConfig)
                return profile;
        }
    }
    return {};
}

std::vector<std::optional<double>> utc(const std::string &recordingPath, const VRDRecordingTrack &track,
                                       const VRDCardProfile &profile)
{
    const VRDTripRecording recording{VRDMedia::mediaWithPath(recordingPath), track};
    const std::optional<double> base = VRDTripBuilder(profile).baseUtc(recording);
    std::vector<std::optional<double>> times(track.samples.size());
    if (base) {
        for (std::size_t i = 0; i < times.size(); ++i)
            times[i] = *base + track.samples[i].offsetSeconds;
    }
    return times;
}

} // namespace VRDSampleTimes
