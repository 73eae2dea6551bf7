// Any bytes as a recording, reduced to the track the trips use: the RMC
// search, the sample timeline and the fix checks must neither crash nor
// hang, and every sample gets a finite time.
#include "io/VRDMemoryByteSource.h"
#include "trips/VRDRecordingTrackReader.h"
#include "trips/VRDRmcReading.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    VRDRmcReading::find(std::string_view(reinterpret_cast<const char *>(data), size));
    VRDMemoryByteSource source({data, size});
    const VRDRecordingTrack track = VRDRecordingTrackReader::read(source);
    for (const VRDTrackSample &sample : track.samples) {
        if (!std::isfinite(sample.offsetSeconds))
            std::abort();
    }
    return 0;
}
