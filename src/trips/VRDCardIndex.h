#pragma once

#include "trips/VRDRecordingTrack.h"
#include "trips/VRDTrackCache.h"

#include <cstddef>
#include <functional>
#include <stop_token>
#include <string>
#include <vector>

// Reads the data tracks of many recordings at once on a pool of threads
// (one per core), taking a recording from the cache when its path, size and
// modification time match the cached entry.
//
// Threading: run blocks its caller until every recording is done or a stop
// is requested. The delivery callback is called on the pool's threads, one
// call at a time, as each recording is done, so a window can show progress
// and post each result to its own thread.
class VRDCardIndex {
public:
    using Delivery = std::function<void(std::size_t index, const VRDRecordingTrack &track)>;

    struct Result {
        // Parallel to the paths; an entry not reached before a stop stays
        // unreadable.
        std::vector<VRDRecordingTrack> tracks;
        // Every recording whose identity could be read, for the cache file.
        std::vector<VRDTrackCacheEntry> cacheEntries;
        std::size_t fromCache = 0;
        std::size_t extracted = 0;
        bool stopped = false;
    };

    // `cache` may be null (no caching); `threads` 0 means one per core.
    explicit VRDCardIndex(const VRDTrackCache *cache, unsigned threads = 0);

    Result run(const std::vector<std::string> &paths, const Delivery &deliver = {}, std::stop_token stop = {}) const;

    unsigned threadCount() const { return m_threads; }

private:
    const VRDTrackCache *m_cache;
    unsigned m_threads;
};
