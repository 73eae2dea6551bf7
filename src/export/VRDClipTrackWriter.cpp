#include "export/VRDClipTrackWriter.h"

#include "blackbox/VRDTelemetryFormatter.h"
#include "trips/VRDUtcText.h"

namespace VRDClipTrackWriter {

std::string gpx(const VRDClipSamples &samples, const std::string &name)
{
    std::vector<std::string> times;
    times.reserve(samples.count());
    for (std::size_t i = 0; i < samples.count(); ++i) {
        const std::optional<double> utc = samples.utcSeconds(i);
        times.push_back(utc ? VRDUtcText::iso(*utc) : std::string());
    }
    return VRDTelemetryFormatter::gpx(samples.snapshot(), times, name);
}

std::string csv(const VRDClipSamples &samples)
{
    return VRDTelemetryFormatter::csv(samples.snapshot());
}

} // namespace VRDClipTrackWriter
