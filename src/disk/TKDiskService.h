#pragma once

#include "disk/TKVolumeDescription.h"
#include "io/TKResult.h"

#include <functional>
#include <string>
#include <vector>

// The volumes the system's disk service knows, or why it could not be asked.
struct TKVolumeListing {
    std::vector<TKVolumeDescription> volumes;
    std::string problem;  // empty when the service answered
};

// The system's disk service: lists volumes and mounts, unmounts and labels
// them. An interface so windows and the format sequence can be tested with a
// fake. Operations answer success or the failure text.
class TKDiskService {
public:
    virtual ~TKDiskService() = default;

    virtual TKVolumeListing listVolumes() = 0;
    virtual TKStatus<> mount(const TKVolumeDescription &volume) = 0;
    virtual TKStatus<> unmount(const TKVolumeDescription &volume) = 0;
    virtual TKStatus<> setLabel(const TKVolumeDescription &volume, const std::string &label) = 0;

    // Called, on the thread that set it, whenever a volume may have appeared,
    // gone or been mounted or unmounted; listVolumes tells what changed. The
    // default service never calls it. An empty handler stops the calls.
    virtual void setVolumesChangedHandler(std::function<void()> handler) { static_cast<void>(handler); }
};
