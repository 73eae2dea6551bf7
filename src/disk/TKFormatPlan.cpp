#include "disk/TKFormatPlan.h"

#include <algorithm>

long clusterSizeByVolumeSizeInKB(std::uint64_t volumeSize)
{
    return (volumeSize >> 30) < 7 ? kTKSectorsPerClusterChoices[0] : kTKSectorsPerClusterChoices[1];
}

std::vector<std::string> TKFormatCommandArguments(const std::string &devicePath, long sectorsPerCluster,
                                                  bool mediaWhole)
{
    // -a: without it mkfs.fat raises the reserved sectors to the cluster size.
    std::vector<std::string> arguments{"mkfs.fat", "-F", "32", "-n", "TOVIK", "-f", "2", "-b", "6", "-R", "32",
                                       "-a", "-s", std::to_string(sectorsPerCluster)};
    if (mediaWhole)
        arguments.push_back("-I");
    arguments.push_back(devicePath);
    return arguments;
}

std::optional<std::string> TKDevicePathForName(const std::string &deviceName)
{
    const bool plain = std::all_of(deviceName.begin(), deviceName.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-'
            || c == '.';
    });
    if (deviceName.empty() || !plain || deviceName.front() == '-' || deviceName.front() == '.')
        return std::nullopt;
    return "/dev/" + deviceName;
}
