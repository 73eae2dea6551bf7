#include "media/VRDMediaCatalog.h"

#include "media/VRDPathParts.h"

#include <utility>

namespace {

std::string_view withoutCameraSuffix(std::string_view name)
{
    if (name.ends_with("_F") || name.ends_with("_R"))
        name.remove_suffix(2);
    return name;
}

} // namespace

VRDMediaCatalog::VRDMediaCatalog(std::string directoryPath, bool directoryListed)
    : m_directoryPath(std::move(directoryPath))
    , m_directoryListed(directoryListed)
{
}

std::shared_ptr<const VRDMedia> VRDMediaCatalog::mediaAtIndex(std::size_t index) const
{
    if (index >= m_medias.size())
        return nullptr;
    return m_medias[index];
}

std::optional<VRDMediaPair> VRDMediaCatalog::findMediaPairWithFileName(std::string_view fileName) const
{
    const auto found = m_mediaPairDic.find(withoutCameraSuffix(VRDPathParts::split(fileName).stem));
    if (found == m_mediaPairDic.end())
        return std::nullopt;
    return found->second;
}

void VRDMediaCatalog::addMedia(std::shared_ptr<const VRDMedia> media)
{
    // The name itself is what a look-up by the media's file name finds.
    auto found = m_mediaPairDic.find(withoutCameraSuffix(media->mediaName()));
    if (found == m_mediaPairDic.end())
        found = m_mediaPairDic.emplace(std::string(media->mediaGroupName()), VRDMediaPair{}).first;
    VRDMediaPair &pair = found->second;
    if (media->isRearMedia())
        pair.rearMedia = media;
    else if (media->isFrontMedia())
        pair.frontMedia = media;
    m_medias.push_back(std::move(media));
}
