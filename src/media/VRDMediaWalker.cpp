#include "media/VRDMediaWalker.h"

#include "media/VRDMediaNamePrefix.h"
#include "media/VRDPathParts.h"

#include <algorithm>
#include <cctype>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct DirectoryEntry {
    std::string name;
    unsigned char type;
};

// Reads all entries at once and closes the folder, so a deep tree holds no
// more than one open folder at a time.
std::vector<DirectoryEntry> readEntries(int directoryFd)
{
    std::vector<DirectoryEntry> entries;
    DIR *directory = ::fdopendir(directoryFd);
    if (directory == nullptr) {
        ::close(directoryFd);
        return entries;
    }
    while (const dirent *entry = ::readdir(directory)) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        entries.push_back({std::string(name), entry->d_type});
    }
    ::closedir(directory);
    return entries;
}

bool isDirectory(const DirectoryEntry &entry, const std::string &path)
{
    if (entry.type == DT_DIR)
        return true;
    if (entry.type != DT_LNK && entry.type != DT_UNKNOWN)
        return false;
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool hasMp4Extension(std::string_view name)
{
    const std::string_view extension = VRDPathParts::split(name).extension;
    return extension.size() == 3 && std::tolower(static_cast<unsigned char>(extension[0])) == 'm'
        && std::tolower(static_cast<unsigned char>(extension[1])) == 'p' && extension[2] == '4';
}

std::string withoutTrailingSlashes(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

} // namespace

VRDMediaCatalog VRDMediaWalker::walk(const std::string &directoryPath)
{
    VRDMediaWalker walker;
    const bool listed = walker.eachDir(withoutTrailingSlashes(directoryPath));
    std::stable_sort(walker.m_collected.begin(), walker.m_collected.end(),
        [](const auto &a, const auto &b) { return a->compareDate(*b) < 0; });
    VRDMediaCatalog catalog(directoryPath, listed);
    for (std::shared_ptr<const VRDMedia> &media : walker.m_collected)
        catalog.addMedia(std::move(media));
    return catalog;
}

std::shared_ptr<const VRDMedia> VRDMediaWalker::createMediaByPath(std::string_view path)
{
    const std::string_view name = VRDPathParts::split(path).stem;
    if (!VRDMedia::hasRecordingNameLength(name))
        return nullptr;
    const VRDMediaNamePrefix *prefix = VRDMediaNamePrefix::find(name);
    if (prefix != nullptr && name.size() < prefix->timeStart + VRDMediaNamePrefix::kTimeFieldLength)
        return nullptr;
    if (!name.ends_with("_F") && !name.ends_with("_R"))
        return nullptr;
    return std::make_shared<const VRDMedia>(path);
}

bool VRDMediaWalker::eachDir(const std::string &directoryPath)
{
    const int fd = ::open(directoryPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        ::close(fd);
        return false;
    }
    if (!m_visited.insert({status.st_dev, status.st_ino}).second) {
        ::close(fd);
        return true;
    }
    const std::string prefix = directoryPath == "/" ? directoryPath : directoryPath + "/";
    for (const DirectoryEntry &entry : readEntries(fd)) {
        const std::string path = prefix + entry.name;
        if (isDirectory(entry, path)) {
            eachDir(path);
            continue;
        }
        if (!hasMp4Extension(entry.name))
            continue;
        std::shared_ptr<const VRDMedia> media = createMediaByPath(path);
        if (media == nullptr)
            continue;
        m_collected.push_back(std::move(media));
        if (m_collected.size() >= kMediaLimit)
            break;
    }
    return true;
}
