#include "trips/VRDTrackCache.h"

#include "io/TKReadFully.h"
#include "trips/VRDTrackCacheFormat.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <cerrno>
#include <cstring>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::string_view kFilePrefix = "trips-";
constexpr std::string_view kFileSuffix = ".cache";

std::string fileNameFor(const std::string &cardFolder)
{
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(cardFolder, error);
    const std::string key = (error ? std::filesystem::path(cardFolder) : absolute.lexically_normal()).string();
    const std::uint64_t hash
        = VRDTrackCacheFormat::checksum({reinterpret_cast<const std::uint8_t *>(key.data()), key.size()});
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    return std::string(kFilePrefix) + hex + std::string(kFileSuffix);
}

} // namespace

std::string VRDTrackCache::defaultFolder()
{
    const char *cache = std::getenv("XDG_CACHE_HOME");
    if (cache != nullptr && cache[0] == '/')
        return (std::filesystem::path(cache) / "tovik").string();
    const char *home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/')
        return (std::filesystem::path(home) / ".cache" / "tovik").string();
    return {};
}

VRDTrackCache::VRDTrackCache(std::string cacheFolder, const std::string &cardFolder, std::uint64_t sizeLimit)
    : m_cacheFolder(std::move(cacheFolder))
    , m_filePath((std::filesystem::path(m_cacheFolder) / fileNameFor(cardFolder)).string())
    , m_sizeLimit(sizeLimit)
{
}

void VRDTrackCache::load()
{
    m_entries.clear();
    const int descriptor = ::open(m_filePath.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return;
    struct stat status {};
    std::vector<std::uint8_t> bytes;
    if (::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) && static_cast<std::uint64_t>(status.st_size) <= m_sizeLimit) {
        bytes.resize(static_cast<std::size_t>(status.st_size));
        bytes.resize(TKReadFully(descriptor, bytes.data(), bytes.size()));
    }
    ::close(descriptor);
    for (VRDTrackCacheEntry &entry : VRDTrackCacheFormat::decode(bytes)) {
        std::string path = entry.path;
        m_entries.insert_or_assign(std::move(path), std::move(entry));
    }
}

const VRDRecordingTrack *VRDTrackCache::find(const std::string &path, std::uint64_t size, std::int64_t modifiedNanoseconds) const
{
    const auto found = m_entries.find(path);
    if (found == m_entries.end() || found->second.size != size || found->second.modifiedNanoseconds != modifiedNanoseconds)
        return nullptr;
    return &found->second.track;
}

std::optional<std::string> VRDTrackCache::save(const std::vector<VRDTrackCacheEntry> &entries) const
{
    if (m_cacheFolder.empty())
        return "no cache folder (neither XDG_CACHE_HOME nor HOME is set)";
    std::error_code error;
    std::filesystem::create_directories(m_cacheFolder, error);
    if (error)
        return "cannot make " + m_cacheFolder + ": " + error.message();
    const std::string bytes = VRDTrackCacheFormat::encode(entries);
    if (bytes.size() > m_sizeLimit)
        return "the card's index (" + std::to_string(bytes.size()) + " bytes) exceeds the cache's size limit";
    if (std::optional<std::string> failure = replaceFile(bytes))
        return failure;
    trimFolder();
    return std::nullopt;
}

// Written beside the target and renamed over it, so readers see the old
// file or the new one. Not synced: a file torn by a crash fails its
// checksums and its recordings are read again, which a cache can afford.
std::optional<std::string> VRDTrackCache::replaceFile(const std::string &bytes) const
{
    std::string temporary = m_filePath + ".XXXXXX";
    const int descriptor = ::mkstemp(temporary.data());
    if (descriptor < 0)
        return "cannot write " + m_filePath + ": " + std::strerror(errno);
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t step = ::write(descriptor, bytes.data() + written, bytes.size() - written);
        if (step < 0 && errno == EINTR)
            continue;
        if (step <= 0)
            break;
        written += static_cast<std::size_t>(step);
    }
    const int writeError = written == bytes.size() ? 0 : errno;
    if (::close(descriptor) != 0 || writeError != 0 || ::rename(temporary.c_str(), m_filePath.c_str()) != 0) {
        const std::string reason = std::strerror(writeError != 0 ? writeError : errno);
        ::unlink(temporary.c_str());
        return "cannot write " + m_filePath + ": " + reason;
    }
    return std::nullopt;
}

void VRDTrackCache::trimFolder() const
{
    struct CacheFile {
        std::filesystem::path path;
        std::uint64_t size;
        std::filesystem::file_time_type written;
    };
    std::vector<CacheFile> files;
    std::uint64_t total = 0;
    std::error_code error;
    for (const auto &item : std::filesystem::directory_iterator(m_cacheFolder, error)) {
        const std::string name = item.path().filename().string();
        std::error_code statError;
        if (!name.starts_with(kFilePrefix) || !name.ends_with(kFileSuffix) || !item.is_regular_file(statError))
            continue;
        const std::uint64_t size = item.file_size(statError);
        const auto written = item.last_write_time(statError);
        if (statError)
            continue;
        files.push_back({item.path(), size, written});
        total += size;
    }
    std::sort(files.begin(), files.end(), [](const CacheFile &a, const CacheFile &b) { return a.written < b.written; });
    for (const CacheFile &file : files) {
        if (total <= m_sizeLimit)
            break;
        if (file.path == m_filePath)
            continue;
        std::error_code removeError;
        if (std::filesystem::remove(file.path, removeError))
            total -= file.size;
    }
}
