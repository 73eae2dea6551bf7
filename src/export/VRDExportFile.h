#pragma once

#include <cstdint>
#include <string>

// One file an export writes, with its hash once written.
struct VRDExportFile {
    std::string name;        // as listed: originals by their path as given, exports relative to the folder
    std::string role;        // "original" or "export"
    std::string sha256;
    std::uint64_t bytes = 0;
    std::string time;        // for people: a recording's start, an export's making
};
