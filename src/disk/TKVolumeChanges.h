#pragma once

#include "disk/TKVolumeDescription.h"

#include <functional>
#include <string>
#include <vector>

// What changed between two listings of the disk service: the dashcam cards
// that were mounted since, and the mount points that went away.
struct TKVolumeChangeList {
    std::vector<TKVolumeDescription> mountedCards;
    std::vector<std::string> unmountedPaths;
};

// A mounted removable USB volume that looks like the camera's card: labelled
// "TOVIK" or holding config.bin at its root. `entryExists` tells whether a path exists.
bool TKLooksLikeDashcamCard(const TKVolumeDescription &volume,
                            const std::function<bool(const std::string &path)> &entryExists);

// True when `path` is `folder` itself or lies below it (whole path parts only).
bool TKPathIsInside(const std::string &path, const std::string &folder);

// Remembers the mounted volumes of the last listing. The first listing only
// sets what is there: cards mounted before the viewer started are not news.
class TKVolumeChanges {
public:
    explicit TKVolumeChanges(std::function<bool(const std::string &path)> entryExists);

    TKVolumeChangeList update(const std::vector<TKVolumeDescription> &volumes);

private:
    std::function<bool(const std::string &)> m_entryExists;
    std::vector<std::string> m_mountedPaths;
    bool m_hasListing = false;
};
