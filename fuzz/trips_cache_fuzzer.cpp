// Any bytes as a trips cache file: decoding must neither crash, hang nor
// allocate beyond what the bytes describe; what it accepts encodes back to
// entries that decode the same, and the drives built from it are sound.
#include "media/VRDMedia.h"
#include "trips/VRDTrackCacheFormat.h"
#include "trips/VRDTripBuilder.h"
#include "trips/VRDTripGpxWriter.h"
#include "trips/VRDTripsJsonWriter.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::vector<VRDTrackCacheEntry> entries = VRDTrackCacheFormat::decode({data, size});
    const std::string again = VRDTrackCacheFormat::encode(entries);
    if (VRDTrackCacheFormat::decode({reinterpret_cast<const std::uint8_t *>(again.data()), again.size()}) != entries)
        std::abort();

    std::vector<VRDTripRecording> recordings;
    for (const VRDTrackCacheEntry &entry : entries)
        recordings.push_back({VRDMedia::mediaWithPath(entry.path), entry.track});
    VRDCardProfile profile;
    profile.clock = VRDCardClock::fixedOffset(3600);
    for (const VRDTrip &trip : VRDTripBuilder(profile).build(recordings)) {
        if (trip.endUtc < trip.startUtc || trip.distanceMetres < 0)
            std::abort();
        VRDTripGpxWriter::write(trip);
    }
    VRDTripsJsonWriter::write("fuzz", VRDTripBuilder(profile).build(recordings));
    return 0;
}
