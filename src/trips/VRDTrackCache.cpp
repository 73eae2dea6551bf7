#include "trips/VRDTrackCache.h"

#include "io/TKSafeFileWriter.h"
#include "trips/VRDTrackCacheFormat.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

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
    std::ifstream file(m_filePath, std::ios::binary);
    if (!file)
        return;
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
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
    if (const std::optional<TKFileError> failure = TKSafeFileWriter::writeWhole(m_filePath, bytes))
        return "cannot write " + m_filePath + ": " + failure->systemError;
    trimFolder();
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
