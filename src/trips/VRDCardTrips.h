#pragma once

#include "trips/VRDCardIndex.h"
#include "trips/VRDPartialTrips.h"
#include "trips/VRDTrip.h"
#include "trips/VRDTripBuilder.h"
#include "trips/VRDTripRecording.h"

#include <chrono>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

// A card folder from files to drives: walks it, picks one channel per
// moment, reads the data tracks (from the disk cache where it is current),
// stores the cache again and groups the drives and parking spans.
class VRDCardTrips {
public:
    struct Options {
        double gapSeconds = VRDTripBuilder::kDefaultGapSeconds;
        // Empty: no disk cache.
        std::string cacheFolder = VRDTrackCache::defaultFolder();
        unsigned threads = 0;
        // When set, the drives of the recordings read so far while the
        // rest are read (VRDPartialTrips), at most once per interval.
        VRDPartialTrips::Delivery partial;
        std::chrono::milliseconds partialInterval{250};
    };

    struct Result {
        std::vector<VRDTripRecording> recordings;
        std::vector<VRDTrip> trips;
        std::size_t fromCache = 0;
        std::size_t extracted = 0;
        bool stopped = false;
        // Why the cache could not be stored; the result is whole anyway.
        std::optional<std::string> cacheError;
    };

    // Synchronous; `deliver` as VRDCardIndex's, with indexes into
    // Result::recordings. A stopped run stores no cache and groups nothing.
    static Result read(const std::string &folder, const Options &options, const VRDCardIndex::Delivery &deliver = {},
                       std::stop_token stop = {});
};
