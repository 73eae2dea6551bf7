#include "trips/VRDTripChannel.h"

namespace VRDTripChannel {

std::vector<std::shared_ptr<const VRDMedia>> recordingsOf(const VRDMediaCatalog &catalog)
{
    std::vector<std::shared_ptr<const VRDMedia>> chosen;
    for (const std::shared_ptr<const VRDMedia> &media : catalog.medias()) {
        const std::optional<VRDMediaPair> pair = catalog.findMediaPairWithFileName(media->path());
        if (!pair)
            continue;
        const std::shared_ptr<const VRDMedia> &channel = pair->frontMedia ? pair->frontMedia : pair->rearMedia;
        if (channel == media)
            chosen.push_back(media);
    }
    return chosen;
}

} // namespace VRDTripChannel
