#pragma once

#include "disk/TKUSBDiskEntity.h"
#include "disk/TKVolumeDescription.h"

#include <optional>
#include <string>
#include <vector>

// Choice of the dashcam's card among the volumes the disk service lists.
// Every function keeps the listing order.

// A mounted, removable volume whose drive sits on the USB bus.
bool TKIsMountedUSBVolume(const TKVolumeDescription &volume);

// Mount points of the mounted removable USB volumes.
std::vector<std::string> TKMountedUSBVolumeURLs(const std::vector<TKVolumeDescription> &volumes);

// One entity per mounted removable USB volume that has a device name.
std::vector<TKUSBDiskEntity> TKUSBDiskEntities(const std::vector<TKVolumeDescription> &volumes);

// Mount point of the first mounted removable USB volume whose root holds an
// entry (file or folder) of that name.
std::optional<std::string> TKUSBVolumeURLContainingFile(const std::vector<TKVolumeDescription> &volumes,
                                                        const std::string &fileName);

// The entity most likely to be the dashcam's card: a writable "TOVIK" holding
// config.bin, then a writable "TOVIK", any "TOVIK", any writable one, the first.
std::optional<TKUSBDiskEntity> TKFindDeviceDisk(const std::vector<TKUSBDiskEntity> &entities);
