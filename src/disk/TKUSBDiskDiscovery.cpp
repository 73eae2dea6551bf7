#include "disk/TKUSBDiskDiscovery.h"

#include <filesystem>
#include <functional>

namespace {

constexpr const char *kDeviceVolumeName = "TOVIK";
constexpr const char *kSettingsFileName = "config.bin";

bool rootHoldsEntry(const std::string &mountPath, const std::string &name)
{
    std::error_code error;
    return std::filesystem::exists(std::filesystem::path(mountPath) / name, error);
}

} // namespace

bool TKIsMountedUSBVolume(const TKVolumeDescription &volume)
{
    return volume.removable && volume.connectionBus == "usb" && !volume.mountPath.empty();
}

std::vector<std::string> TKMountedUSBVolumeURLs(const std::vector<TKVolumeDescription> &volumes)
{
    std::vector<std::string> paths;
    for (const TKVolumeDescription &volume : volumes) {
        if (TKIsMountedUSBVolume(volume))
            paths.push_back(volume.mountPath);
    }
    return paths;
}

std::vector<TKUSBDiskEntity> TKUSBDiskEntities(const std::vector<TKVolumeDescription> &volumes)
{
    std::vector<TKUSBDiskEntity> entities;
    for (const TKVolumeDescription &volume : volumes) {
        if (!TKIsMountedUSBVolume(volume) || volume.deviceName.empty())
            continue;
        std::optional<std::string> model;
        if (!volume.deviceModel.empty())
            model = volume.deviceModel;
        entities.emplace_back(volume.volumeName, volume.mountPath, volume.deviceName, model, volume.size,
                              volume.writable, volume.mediaWhole, volume.key);
    }
    return entities;
}

std::optional<std::string> TKUSBVolumeURLContainingFile(const std::vector<TKVolumeDescription> &volumes,
                                                        const std::string &fileName)
{
    for (const std::string &path : TKMountedUSBVolumeURLs(volumes)) {
        if (rootHoldsEntry(path, fileName))
            return path;
    }
    return std::nullopt;
}

std::optional<TKUSBDiskEntity> TKFindDeviceDisk(const std::vector<TKUSBDiskEntity> &entities)
{
    using Test = std::function<bool(const TKUSBDiskEntity &)>;
    const auto named = [](const TKUSBDiskEntity &disk) { return disk.volumeName() == kDeviceVolumeName; };
    const Test passes[] = {
        [&](const TKUSBDiskEntity &disk) {
            return named(disk) && disk.writable() && rootHoldsEntry(disk.mountedURL(), kSettingsFileName);
        },
        [&](const TKUSBDiskEntity &disk) { return named(disk) && disk.writable(); },
        named,
        [](const TKUSBDiskEntity &disk) { return disk.writable(); },
        [](const TKUSBDiskEntity &) { return true; },
    };
    for (const Test &test : passes) {
        for (const TKUSBDiskEntity &disk : entities) {
            if (test(disk))
                return disk;
        }
    }
    return std::nullopt;
}
