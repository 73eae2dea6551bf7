#include "media/VRDMediaWalker.h"

#include "media/VRDMediaNamePrefix.h"
#include "media/VRDPathParts.h"
#include "media/VRDRecoveredPreference.h"

#include <algorithm>
#include <cctype>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The entries of one folder, their names packed into one buffer: a card
// folder holds thousands of them.
class DirectoryListing {
public:
    struct Entry {
        std::size_t offset;
        std::size_t length;
        unsigned char type;
    };

    // Reads all entries at once and closes the folder, so a deep tree holds
    // no more than one open folder at a time.
    explicit DirectoryListing(int directoryFd)
    {
        DIR *directory = ::fdopendir(directoryFd);
        if (directory == nullptr) {
            ::close(directoryFd);
            return;
        }
        while (const dirent *entry = ::readdir(directory)) {
            const std::string_view name = entry->d_name;
            if (name == "." || name == "..")
                continue;
            m_entries.push_back({m_names.size(), name.size(), entry->d_type});
            m_names += name;
        }
        ::closedir(directory);
    }

    const std::vector<Entry> &entries() const { return m_entries; }
    std::string_view name(const Entry &entry) const
    {
        return std::string_view(m_names).substr(entry.offset, entry.length);
    }

private:
    std::string m_names;
    std::vector<Entry> m_entries;
};

bool isDirectory(unsigned char type, const std::string &path)
{
    if (type == DT_DIR)
        return true;
    if (type != DT_LNK && type != DT_UNKNOWN)
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

VRDMediaWalker::VRDMediaWalker(std::stop_token stop)
    : m_stop(std::move(stop))
{
}

VRDMediaCatalog VRDMediaWalker::walk(const std::string &directoryPath, std::stop_token stop)
{
    VRDMediaWalker walker(std::move(stop));
    const bool listed = walker.eachDir(withoutTrailingSlashes(directoryPath));
    VRDRecoveredPreference::preferRecovered(walker.m_collected);
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
    if (prefix != nullptr && !_checkTimeByName(name, prefix->timeStart))
        return nullptr;
    if (!name.ends_with("_F") && !name.ends_with("_R"))
        return nullptr;
    return VRDMedia::mediaWithPath(path);
}

bool VRDMediaWalker::_checkTimeByName(std::string_view name, std::size_t startPos)
{
    return name.size() >= startPos + VRDMediaNamePrefix::kTimeFieldLength;
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
    const DirectoryListing listing(fd);
    std::string path = directoryPath == "/" ? directoryPath : directoryPath + "/";
    const std::size_t prefixLength = path.size();
    for (const DirectoryListing::Entry &entry : listing.entries()) {
        if (m_stop.stop_requested())
            break;
        const std::string_view name = listing.name(entry);
        path.resize(prefixLength);
        path += name;
        if (isDirectory(entry.type, path)) {
            eachDir(path);
            continue;
        }
        if (!hasMp4Extension(name))
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
