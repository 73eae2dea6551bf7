#pragma once

#include "media/VRDMedia.h"

#include <memory>
#include <vector>

// A recording rebuilt after a power loss lies in a RECOVERED folder beside
// the cut-off original and has its name. Where both are gathered, only the
// recovered one stays, so the list shows it once and the pair plays it.
class VRDRecoveredPreference {
public:
    static constexpr const char *kFolderName = "RECOVERED";

    static void preferRecovered(std::vector<std::shared_ptr<const VRDMedia>> &medias);
};
