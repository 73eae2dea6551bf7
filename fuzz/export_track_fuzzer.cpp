// Any bytes as a recording to cut: the sample description of a track and
// the raw data-track chunks must be read without a crash, a hang or an
// allocation beyond what the input can describe.
#include "export/VRDDataTrackChunks.h"
#include "export/VRDTrackSampleDescription.h"
#include "io/VRDMemoryByteSource.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    VRDMemoryByteSource source({data, size});
    std::string error;
    for (std::uint32_t track : {1u, 2u})
        VRDTrackSampleDescription::read(source, track, error);
    if (const auto count = VRDDataTrackChunks::count(source))
        VRDDataTrackChunks::read(source, 0, *count);
    return 0;
}
