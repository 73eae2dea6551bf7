#include "io/TKSafeFileWriter.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

constexpr int kTemporaryNameAttempts = 64;
constexpr unsigned kNameMask = 0xFFFFFFu;

std::string folderOf(const std::string &path)
{
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

bool isReadOnlyMount(const std::string &folder)
{
    struct statvfs info {};
    return ::statvfs(folder.c_str(), &info) == 0 && (info.f_flag & ST_RDONLY) != 0;
}

int closeKeepingErrno(int descriptor)
{
    const int saved = errno;
    const int result = ::close(descriptor);
    errno = saved;
    return result;
}

} // namespace

TKSafeFileWriter::TKSafeFileWriter(std::string targetPath)
    : m_targetPath(std::move(targetPath))
    , m_folder(folderOf(m_targetPath))
{
}

TKSafeFileWriter::~TKSafeFileWriter()
{
    discard();
}

TKFileError TKSafeFileWriter::errorFromErrno(int errorNumber) const
{
    return TKFileError{"msg.file_open_fail", m_targetPath + ": " + std::strerror(errorNumber),
                       errorNumber == EROFS || isReadOnlyMount(m_folder)};
}

void TKSafeFileWriter::discard()
{
    if (m_descriptor >= 0) {
        closeKeepingErrno(m_descriptor);
        m_descriptor = -1;
    }
    if (!m_temporaryPath.empty()) {
        ::unlink(m_temporaryPath.c_str());
        m_temporaryPath.clear();
    }
}

std::optional<TKFileError> TKSafeFileWriter::open()
{
    discard();
    // The name only has to be free in this folder: O_EXCL settles races.
    unsigned seed = (static_cast<unsigned>(::getpid()) * 2654435761u) & kNameMask;
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        char name[16];
        std::snprintf(name, sizeof name, "TK%06X.TMP", (seed + static_cast<unsigned>(attempt) * 7919u) & kNameMask);
        const std::string candidate = m_folder + "/" + name;
        const int descriptor = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (descriptor >= 0) {
            m_descriptor = descriptor;
            m_temporaryPath = candidate;
            return std::nullopt;
        }
        if (errno != EEXIST)
            return errorFromErrno(errno);
    }
    return errorFromErrno(EEXIST);
}

std::optional<TKFileError> TKSafeFileWriter::append(std::string_view bytes)
{
    if (m_descriptor < 0)
        return errorFromErrno(EBADF);
    while (!bytes.empty()) {
        const ssize_t written = ::write(m_descriptor, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            const int errorNumber = written < 0 ? errno : ENOSPC;
            discard();
            return errorFromErrno(errorNumber);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return std::nullopt;
}

std::optional<TKFileError> TKSafeFileWriter::commit()
{
    if (m_descriptor < 0)
        return errorFromErrno(EBADF);
    const bool synced = ::fsync(m_descriptor) == 0;
    const int syncError = errno;
    const bool closed = ::close(m_descriptor) == 0;
    const int closeError = errno;
    m_descriptor = -1;
    if (!synced || !closed) {
        discard();
        return errorFromErrno(synced ? closeError : syncError);
    }
    if (::rename(m_temporaryPath.c_str(), m_targetPath.c_str()) != 0) {
        const int errorNumber = errno;
        discard();
        return errorFromErrno(errorNumber);
    }
    m_temporaryPath.clear();
    // The new name is durable only once the folder itself is synced; some
    // file systems cannot sync a folder (EINVAL), which changes nothing here.
    const int folder = ::open(m_folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return std::nullopt;
    const bool folderSynced = ::fsync(folder) == 0 || errno == EINVAL;
    const int folderError = errno;
    ::close(folder);
    if (!folderSynced)
        return errorFromErrno(folderError);
    return std::nullopt;
}

std::optional<TKFileError> TKSafeFileWriter::writeWhole(const std::string &targetPath, std::string_view bytes)
{
    TKSafeFileWriter writer(targetPath);
    if (auto error = writer.open())
        return error;
    if (auto error = writer.append(bytes))
        return error;
    return writer.commit();
}
