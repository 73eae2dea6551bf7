#include "disk/TKVolumeChanges.h"

#include "disk/TKUSBDiskDiscovery.h"

#include <algorithm>

bool TKLooksLikeDashcamCard(const TKVolumeDescription &volume,
                            const std::function<bool(const std::string &path)> &entryExists)
{
    if (!TKIsMountedUSBVolume(volume))
        return false;
    return volume.volumeName == "TOVIK" || entryExists(volume.mountPath + "/config.bin");
}

bool TKPathIsInside(const std::string &path, const std::string &folder)
{
    std::string base = folder;
    while (base.size() > 1 && base.back() == '/')
        base.pop_back();
    if (base.empty() || path.compare(0, base.size(), base) != 0)
        return false;
    return path.size() == base.size() || path[base.size()] == '/' || base == "/";
}

TKVolumeChanges::TKVolumeChanges(std::function<bool(const std::string &path)> entryExists)
    : m_entryExists(std::move(entryExists))
{
}

TKVolumeChangeList TKVolumeChanges::update(const std::vector<TKVolumeDescription> &volumes)
{
    std::vector<std::string> mountedPaths;
    for (const TKVolumeDescription &volume : volumes) {
        if (!volume.mountPath.empty())
            mountedPaths.push_back(volume.mountPath);
    }
    TKVolumeChangeList changes;
    if (m_hasListing) {
        const auto wasMounted = [this](const std::string &path) {
            return std::find(m_mountedPaths.begin(), m_mountedPaths.end(), path) != m_mountedPaths.end();
        };
        for (const TKVolumeDescription &volume : volumes) {
            if (!volume.mountPath.empty() && !wasMounted(volume.mountPath)
                && TKLooksLikeDashcamCard(volume, m_entryExists))
                changes.mountedCards.push_back(volume);
        }
        for (const std::string &path : m_mountedPaths) {
            if (std::find(mountedPaths.begin(), mountedPaths.end(), path) == mountedPaths.end())
                changes.unmountedPaths.push_back(path);
        }
    }
    m_mountedPaths = std::move(mountedPaths);
    m_hasListing = true;
    return changes;
}
