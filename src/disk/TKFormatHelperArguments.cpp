#include "disk/TKFormatHelperArguments.h"

#include "disk/TKFormatPlan.h"

#include <algorithm>
#include <string_view>

std::optional<TKFormatHelperRequest> TKParseFormatHelperArguments(const std::vector<std::string> &arguments)
{
    if (arguments.empty())
        return std::nullopt;
    const std::string &devicePath = arguments.back();
    constexpr std::string_view kDeviceFolder = "/dev/";
    if (devicePath.compare(0, kDeviceFolder.size(), kDeviceFolder) != 0
        || TKDevicePathForName(devicePath.substr(kDeviceFolder.size())) != devicePath)
        return std::nullopt;

    // Built the same way as the application's command, so the two never drift apart.
    for (const long sectorsPerCluster : kTKSectorsPerClusterChoices) {
        for (const bool mediaWhole : {false, true}) {
            const std::vector<std::string> expected =
                TKFormatCommandArguments(devicePath, sectorsPerCluster, mediaWhole);
            if (std::equal(expected.begin() + 1, expected.end(), arguments.begin(), arguments.end()))
                return TKFormatHelperRequest{devicePath, sectorsPerCluster, mediaWhole};
        }
    }
    return std::nullopt;
}
