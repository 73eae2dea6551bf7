#pragma once

#include "media/VRDMedia.h"

#include <memory>

// The front and the rear file of one recording; either side may be empty.
struct VRDMediaPair {
    std::shared_ptr<const VRDMedia> frontMedia;
    std::shared_ptr<const VRDMedia> rearMedia;
};
