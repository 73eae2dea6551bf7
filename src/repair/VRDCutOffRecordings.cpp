#include "repair/VRDCutOffRecordings.h"

#include "repair/VRDRecordingRepairer.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

std::vector<std::string> VRDCutOffRecordings::inFolder(const std::string &folder, bool withRecovered)
{
    std::vector<std::string> found;
    std::error_code error;
    std::size_t looked = 0;
    fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, error);
    for (const fs::recursive_directory_iterator end; !error && it != end && looked < kMostFilesLooked; it.increment(error)) {
        ++looked;
        if (it->is_directory(error)) {
            if (it->path().filename() == VRDRecordingRepairer::kRecoveredFolder)
                it.disable_recursion_pending();
            continue;
        }
        std::string extension = it->path().extension().string();
        std::transform(extension.begin(), extension.end(), extension.begin(), [](unsigned char c) { return std::tolower(c); });
        if (extension != ".mp4" || !it->is_regular_file(error))
            continue;
        const std::string path = it->path().string();
        std::error_code missing;
        if (!withRecovered && fs::exists(VRDRecordingRepairer::defaultOutputPath(path), missing))
            continue;
        if (VRDRecordingRepairer::isCutOff(path))
            found.push_back(path);
    }
    std::sort(found.begin(), found.end());
    return found;
}
