// Any bytes as a recording: the extraction and the telemetry text must
// neither crash, hang nor allocate beyond what the input can describe.
#include "blackbox/VRDBlackBoxData.h"
#include "blackbox/VRDTelemetryFormatter.h"
#include "io/VRDMemoryByteSource.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    VRDMemoryByteSource source({data, size});
    VRDBlackBoxData extractor;
    const bool ok = extractor.ExtractStreamInformation(source);
    const auto samples = extractor.snapshot();
    VRDTelemetryFormatter::json("fuzz.mp4", ok, *samples);
    VRDTelemetryFormatter::csv(*samples);
    VRDTelemetryFormatter::gpx(*samples, std::vector<std::string>(samples->GSensors.size(), "2024-03-15T07:12:00Z"));
    VRDTelemetryFormatter::summary(*samples);
    return 0;
}
