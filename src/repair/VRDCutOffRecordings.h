#pragma once

#include <string>
#include <vector>

// The cut-off recordings of a folder and its subfolders (both cameras), in
// name order; RECOVERED folders are passed over, only the start of each
// ".mp4" file is read. Recordings that already have a recovered twin in
// RECOVERED/ beside them are left out unless asked for.
class VRDCutOffRecordings {
public:
    static constexpr std::size_t kMostFilesLooked = 20000;

    static std::vector<std::string> inFolder(const std::string &folder, bool withRecovered = false);
};
