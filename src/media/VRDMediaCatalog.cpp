#include "media/VRDMediaCatalog.h"

#include "media/VRDPathParts.h"

#include <utility>

namespace {

std::string pairKeyOfFileName(std::string_view fileName)
{
    std::string_view key = VRDPathParts::split(fileName).stem;
    if (key.ends_with("_F") || key.ends_with("_R"))
        key.remove_suffix(2);
    return std::string(key);
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
    const auto found = m_mediaPairDic.find(pairKeyOfFileName(fileName));
    if (found == m_mediaPairDic.end())
        return std::nullopt;
    return found->second;
}

void VRDMediaCatalog::addMedia(std::shared_ptr<const VRDMedia> media)
{
    auto found = m_mediaPairDic.find(pairKeyOfFileName(media->fileName()));
    if (found == m_mediaPairDic.end())
        found = m_mediaPairDic.emplace(media->mediaGroupName(), VRDMediaPair{}).first;
    VRDMediaPair &pair = found->second;
    if (media->isRearMedia())
        pair.rearMedia = media;
    else if (media->isFrontMedia())
        pair.frontMedia = media;
    m_medias.push_back(std::move(media));
}
