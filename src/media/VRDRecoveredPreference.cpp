#include "media/VRDRecoveredPreference.h"

#include <algorithm>
#include <set>
#include <string>

namespace {

constexpr std::string_view kSuffix = "/RECOVERED";

} // namespace

void VRDRecoveredPreference::preferRecovered(std::vector<std::shared_ptr<const VRDMedia>> &medias)
{
    std::set<std::string> replaced;
    for (const auto &media : medias) {
        const std::string_view folder = media->dir();
        if (folder.ends_with(kSuffix))
            replaced.insert(std::string(folder.substr(0, folder.size() - kSuffix.size())) + "/" + media->fileName());
    }
    if (replaced.empty())
        return;
    std::erase_if(medias, [&](const auto &media) { return replaced.contains(media->path()); });
}
