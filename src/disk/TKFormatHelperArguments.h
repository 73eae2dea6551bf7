#pragma once

#include <optional>
#include <string>
#include <vector>

// What tovik-format-helper was asked to do, once its arguments passed.
struct TKFormatHelperRequest {
    std::string devicePath;
    long sectorsPerCluster = 0;
    bool mediaWhole = false;
};

// The helper runs as root on behalf of anyone polkit lets through, so it takes
// nothing but the mkfs.fat options the application itself builds
// (TKFormatCommandArguments without the program name), with one of the
// allowed cluster sizes, for a device node directly under /dev.
// Gives the request, or nothing when the arguments are anything else.
std::optional<TKFormatHelperRequest> TKParseFormatHelperArguments(const std::vector<std::string> &arguments);
