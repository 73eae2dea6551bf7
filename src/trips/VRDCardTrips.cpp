#include "trips/VRDCardTrips.h"

#include "media/VRDMediaWalker.h"
#include "trips/VRDCardProfile.h"
#include "trips/VRDTripChannel.h"

#include <memory>

VRDCardTrips::Result VRDCardTrips::read(const std::string &folder, const Options &options, const VRDCardIndex::Delivery &deliver,
                                        std::stop_token stop)
{
    Result result;
    const VRDMediaCatalog catalog = VRDMediaWalker::walk(folder, stop);
    const std::vector<std::shared_ptr<const VRDMedia>> medias = VRDTripChannel::recordingsOf(catalog);
    std::vector<std::string> paths;
    paths.reserve(medias.size());
    for (const std::shared_ptr<const VRDMedia> &media : medias)
        paths.push_back(media->path());

    std::unique_ptr<VRDTrackCache> cache;
    if (!options.cacheFolder.empty()) {
        cache = std::make_unique<VRDTrackCache>(options.cacheFolder, folder);
        cache->load();
    }
    VRDCardIndex::Result indexed = VRDCardIndex(cache.get(), options.threads).run(paths, deliver, stop);
    result.fromCache = indexed.fromCache;
    result.extracted = indexed.extracted;
    result.stopped = indexed.stopped || stop.stop_requested();
    if (result.stopped)
        return result;
    if (cache && (indexed.extracted > 0 || indexed.cacheEntries.size() != cache->entryCount()))
        result.cacheError = cache->save(indexed.cacheEntries);

    result.recordings.reserve(medias.size());
    for (std::size_t i = 0; i < medias.size(); ++i)
        result.recordings.push_back({medias[i], std::move(indexed.tracks[i])});
    result.trips = VRDTripBuilder(VRDCardProfile::forFolder(folder), options.gapSeconds).build(result.recordings);
    return result;
}
