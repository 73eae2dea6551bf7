#pragma once

#include "media/VRDMediaCatalog.h"

#include <functional>

// Runs a folder walk away from the caller and hands the finished catalog back
// on the caller's thread. The Qt application runs the walk on QtConcurrent;
// the command-line tool and tests may run it in place.
class VRDMediaWalkRunner {
public:
    using Walk = std::function<VRDMediaCatalog()>;
    using Deliver = std::function<void(VRDMediaCatalog)>;

    virtual ~VRDMediaWalkRunner() = default;
    virtual void run(Walk walk, Deliver deliver) = 0;
};
