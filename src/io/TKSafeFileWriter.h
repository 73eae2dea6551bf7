#pragma once

#include "io/TKFileError.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Replaces a file so that it is never seen half-written: the bytes go to a
// temporary file with a short 8.3-style name in the same folder (the card is
// FAT), which is flushed, synced and renamed over the target; the folder is
// synced last. On any failure the temporary file is removed and the old
// target stays as it was.
class TKSafeFileWriter {
public:
    explicit TKSafeFileWriter(std::string targetPath);
    ~TKSafeFileWriter();
    TKSafeFileWriter(const TKSafeFileWriter &) = delete;
    TKSafeFileWriter &operator=(const TKSafeFileWriter &) = delete;

    std::optional<TKFileError> open();
    std::optional<TKFileError> append(std::string_view bytes);
    std::optional<TKFileError> commit();

    // open, one append and commit.
    static std::optional<TKFileError> writeWhole(const std::string &targetPath, std::string_view bytes);

private:
    TKFileError errorFromErrno(int errorNumber) const;
    void discard();

    std::string m_targetPath;
    std::string m_folder;
    std::string m_temporaryPath;
    int m_descriptor = -1;
};
