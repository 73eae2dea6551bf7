#include "trips/VRDCardIndex.h"

#include "trips/VRDRecordingTrackReader.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <optional>
#include <thread>

#include <sys/stat.h>

namespace {

struct FileIdentity {
    std::uint64_t size;
    std::int64_t modifiedNanoseconds;
};

std::optional<FileIdentity> identityOf(const std::string &path)
{
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    return FileIdentity{static_cast<std::uint64_t>(status.st_size),
                        std::int64_t{status.st_mtim.tv_sec} * 1000000000 + status.st_mtim.tv_nsec};
}

} // namespace

VRDCardIndex::VRDCardIndex(const VRDTrackCache *cache, unsigned threads)
    : m_cache(cache), m_threads(threads != 0 ? threads : std::max(1u, std::thread::hardware_concurrency()))
{
}

VRDCardIndex::Result VRDCardIndex::run(const std::vector<std::string> &paths, const Delivery &deliver, std::stop_token stop) const
{
    Result result;
    result.tracks.resize(paths.size());
    std::vector<std::optional<FileIdentity>> identities(paths.size());
    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> fromCache{0};
    std::atomic<std::size_t> extracted{0};
    std::mutex deliveryLock;

    auto work = [&] {
        for (std::size_t i = next++; i < paths.size() && !stop.stop_requested(); i = next++) {
            identities[i] = identityOf(paths[i]);
            const VRDRecordingTrack *cached
                = m_cache != nullptr && identities[i] ? m_cache->find(paths[i], identities[i]->size, identities[i]->modifiedNanoseconds)
                                                      : nullptr;
            if (cached != nullptr) {
                result.tracks[i] = *cached;
                ++fromCache;
            } else {
                result.tracks[i] = VRDRecordingTrackReader::read(paths[i]);
                ++extracted;
            }
            if (deliver) {
                const std::lock_guard lock(deliveryLock);
                deliver(i, result.tracks[i]);
            }
        }
    };
    const unsigned helpers = std::min<std::size_t>(m_threads, std::max<std::size_t>(paths.size(), 1)) - 1;
    std::vector<std::jthread> pool;
    pool.reserve(helpers);
    for (unsigned t = 0; t < helpers; ++t)
        pool.emplace_back(work);
    work();
    pool.clear();

    result.fromCache = fromCache;
    result.extracted = extracted;
    result.stopped = result.fromCache + result.extracted < paths.size();
    for (std::size_t i = 0; i < paths.size(); ++i) {
        if (identities[i])
            result.cacheEntries.push_back({paths[i], identities[i]->size, identities[i]->modifiedNanoseconds, result.tracks[i]});
    }
    return result;
}
