#pragma once

#include "trips/VRDTrackCacheEntry.h"

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

// What the index read from the recordings of one card folder, kept in one
// file of the user's cache folder so that opening the card again reads
// one file instead of every recording. An entry counts only while the
// recording's path, size and modification time are those it was read with.
//
// Threading: load and save on one thread; find is const and may be called
// from many threads once load has returned.
class VRDTrackCache {
public:
    static constexpr std::uint64_t kDefaultSizeLimit = 256ull << 20;

    // $XDG_CACHE_HOME/tovik, else ~/.cache/tovik; empty when neither is known.
    static std::string defaultFolder();

    VRDTrackCache(std::string cacheFolder, const std::string &cardFolder, std::uint64_t sizeLimit = kDefaultSizeLimit);

    // Reads this card's file; a missing, foreign or damaged file gives no
    // entries (or only its sound ones).
    void load();
    const VRDRecordingTrack *find(const std::string &path, std::uint64_t size, std::int64_t modifiedNanoseconds) const;
    std::size_t entryCount() const { return m_entries.size(); }

    // Replaces this card's file with the entries, then removes the least
    // recently written files of other cards until the folder fits the size
    // limit. An error text, or nothing on success.
    std::optional<std::string> save(const std::vector<VRDTrackCacheEntry> &entries) const;

    const std::string &filePath() const { return m_filePath; }

private:
    std::optional<std::string> replaceFile(const std::string &bytes) const;
    void trimFolder() const;

    std::string m_cacheFolder;
    std::string m_filePath;
    std::uint64_t m_sizeLimit;
    std::unordered_map<std::string, VRDTrackCacheEntry> m_entries;
};
