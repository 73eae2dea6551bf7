// Any argument vector (NUL-separated) given to tovik-format-helper: it is
// accepted only when it is exactly the application's mkfs.fat command.
#include "disk/TKFormatHelperArguments.h"
#include "disk/TKFormatPlan.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::vector<std::string> arguments(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            arguments.emplace_back();
        else
            arguments.back() += static_cast<char>(data[i]);
    }
    const auto request = TKParseFormatHelperArguments(arguments);
    if (!request)
        return 0;
    std::vector<std::string> expected =
        TKFormatCommandArguments(request->devicePath, request->sectorsPerCluster, request->mediaWhole);
    expected.erase(expected.begin());
    if (expected != arguments || request->devicePath.rfind("/dev/", 0) != 0
        || request->devicePath.find('/', 5) != std::string::npos)
        std::abort();
    return 0;
}
