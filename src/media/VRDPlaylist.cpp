#include "media/VRDPlaylist.h"

std::optional<VRDPlaylist::Entry> VRDPlaylist::entryAt(std::int64_t row) const
{
    if (row < 0 || row >= count())
        return std::nullopt;
    const auto media = m_mediaList.mediaAtIndex(static_cast<std::size_t>(row));
    if (!media)
        return std::nullopt;
    Entry entry{media->path(), {}};
    const auto pair = m_mediaList.findMediaPairWithFileName(media->mediaName());
    if (pair) {
        const auto &twin = media->isRearMedia() ? pair->frontMedia : pair->rearMedia;
        if (twin && twin != media)
            entry.twinPath = twin->path();
    }
    return entry;
}

std::optional<std::int64_t> VRDPlaylist::rowAfter(std::int64_t row) const
{
    if (row < 0 || row >= count())
        return std::nullopt;
    const auto media = m_mediaList.mediaAtIndex(static_cast<std::size_t>(row));
    if (!media)
        return std::nullopt;
    const auto pair = m_mediaList.findMediaPairWithFileName(media->mediaName());
    const std::int64_t step = pair && pair->frontMedia && pair->rearMedia ? 2 : 1;
    if (row + step >= count())
        return std::nullopt;
    return row + step;
}
