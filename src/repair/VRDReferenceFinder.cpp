#include "repair/VRDReferenceFinder.h"

#include "media/VRDMedia.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// Bounds the walk on a card with very many recordings.
constexpr std::size_t kMostFilesLooked = 20000;

std::int64_t secondsOf(const VRDMedia &media)
{
    using namespace std::chrono;
    const year_month_day date{year(media.year()), month(static_cast<unsigned>(media.month())),
                              day(static_cast<unsigned>(media.day()))};
    return sys_days(date).time_since_epoch().count() * 86400 + media.hour() * 3600 + media.minute() * 60 + media.second();
}

bool isRecording(const fs::directory_entry &entry, std::error_code &error)
{
    if (!entry.is_regular_file(error))
        return false;
    std::string extension = entry.path().extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(), [](unsigned char c) { return std::tolower(c); });
    return extension == ".mp4";
}

void collect(const fs::path &folder, std::vector<fs::path> &files, std::size_t &looked)
{
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end && looked < kMostFilesLooked; it.increment(error)) {
        ++looked;
        if (isRecording(*it, error))
            files.push_back(it->path());
    }
}

} // namespace

std::vector<std::string> VRDReferenceFinder::candidates(const std::string &cutOffPath)
{
    const VRDMedia target(cutOffPath);
    if (target.mediaDirection() == VRDMedia::DirectionUnknown)
        return {};
    const fs::path folder = fs::path(cutOffPath).parent_path();
    const fs::path parent = folder.parent_path();

    std::vector<fs::path> files;
    std::size_t looked = 0;
    collect(folder.empty() ? fs::path(".") : folder, files, looked);
    // The card's other folders, but never the whole file system around a card's root.
    if (!parent.empty() && parent != folder && parent != parent.root_path()) {
        collect(parent, files, looked);
        std::error_code error;
        for (fs::directory_iterator it(parent, error), end; !error && it != end; it.increment(error)) {
            if (it->is_directory(error) && it->path() != folder && it->path().filename() != "RECOVERED")
                collect(it->path(), files, looked);
        }
    }

    const bool knownTime = target.year() != 0;
    const std::int64_t targetSeconds = knownTime ? secondsOf(target) : 0;
    std::vector<std::pair<std::int64_t, std::string>> ranked;
    std::error_code error;
    for (const fs::path &file : files) {
        if (fs::equivalent(file, cutOffPath, error))
            continue;
        const VRDMedia media(file.string());
        if (media.mediaDirection() != target.mediaDirection())
            continue;
        const std::int64_t distance = knownTime && media.year() != 0 ? std::llabs(secondsOf(media) - targetSeconds) : INT64_MAX;
        ranked.emplace_back(distance, file.string());
    }
    std::sort(ranked.begin(), ranked.end());
    std::vector<std::string> nearest;
    for (std::size_t i = 0; i < ranked.size() && nearest.size() < kMostCandidates; ++i)
        nearest.push_back(ranked[i].second);
    return nearest;
}
