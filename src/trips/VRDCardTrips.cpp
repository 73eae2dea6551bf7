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
    // The recordings in place before the pool starts, so that the drives of
    // those read so far can be grouped while it runs.
    result.recordings.reserve(medias.size());
    for (const std::shared_ptr<const VRDMedia> &media : medias)
        result.recordings.push_back({media, {}});
    const VRDTripBuilder builder(VRDCardProfile::forFolder(folder), options.gapSeconds);
    std::optional<VRDPartialTrips> partial;
    if (options.partial)
        partial.emplace(builder, result.recordings, options.partial, options.partialInterval);
    const auto arrived = [&](std::size_t index, const VRDRecordingTrack &track) {
        if (partial) {
            result.recordings[index].track = track;
            partial->arrived(index);
        }
        if (deliver)
            deliver(index, track);
    };
    VRDCardIndex::Result indexed = VRDCardIndex(cache.get(), options.threads).run(paths, arrived, stop);
    partial.reset();
    result.fromCache = indexed.fromCache;
    result.extracted = indexed.extracted;
    result.stopped = indexed.stopped || stop.stop_requested();
    if (result.stopped) {
        result.recordings.clear();
        return result;
    }
    if (cache && (indexed.extracted > 0 || indexed.cacheEntries.size() != cache->entryCount()))
        result.cacheError = cache->save(indexed.cacheEntries);

    for (std::size_t i = 0; i < medias.size(); ++i)
        result.recordings[i].track = std::move(indexed.tracks[i]);
    result.trips = builder.build(result.recordings);
    return result;
}
