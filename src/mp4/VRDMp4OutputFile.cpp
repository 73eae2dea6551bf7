#include "mp4/VRDMp4OutputFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

// Large enough that a recording streams through in few system calls, small
// enough to leave memory to the caller.
constexpr std::size_t kBufferSize = 1 << 20;

bool onReadOnlyMount(const std::string &path)
{
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    struct statvfs info {};
    return ::statvfs(folder.empty() ? "." : folder.c_str(), &info) == 0 && (info.f_flag & ST_RDONLY) != 0;
}

} // namespace

VRDMp4OutputFile::~VRDMp4OutputFile()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

bool VRDMp4OutputFile::open(const std::string &path)
{
    m_path = path;
    m_descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (m_descriptor < 0)
        return fail("cannot create", errno);
    m_buffer.reserve(kBufferSize);
    return true;
}

bool VRDMp4OutputFile::append(std::span<const std::uint8_t> bytes)
{
    if (failed() || m_descriptor < 0)
        return false;
    m_size += bytes.size();
    if (m_buffer.size() + bytes.size() > kBufferSize) {
        if (!flush())
            return false;
        if (bytes.size() >= kBufferSize)
            return writeAll(bytes.data(), bytes.size());
    }
    m_buffer.insert(m_buffer.end(), bytes.begin(), bytes.end());
    return true;
}

bool VRDMp4OutputFile::patch(std::uint64_t offset, std::span<const std::uint8_t> bytes)
{
    if (failed() || m_descriptor < 0 || !flush())
        return false;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = ::pwrite(m_descriptor, bytes.data() + done, bytes.size() - done,
                                       static_cast<off_t>(offset + done));
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return fail("cannot write", wrote < 0 ? errno : EIO);
        done += static_cast<std::size_t>(wrote);
    }
    return true;
}

bool VRDMp4OutputFile::close()
{
    if (failed() || m_descriptor < 0 || !flush())
        return false;
    if (::fsync(m_descriptor) != 0)
        return fail("cannot sync", errno);
    const int descriptor = m_descriptor;
    m_descriptor = -1;
    if (::close(descriptor) != 0)
        return fail("cannot close", errno);
    return true;
}

bool VRDMp4OutputFile::flush()
{
    if (m_buffer.empty())
        return true;
    const bool ok = writeAll(m_buffer.data(), m_buffer.size());
    m_buffer.clear();
    return ok;
}

bool VRDMp4OutputFile::writeAll(const std::uint8_t *bytes, std::size_t count)
{
    std::size_t done = 0;
    while (done < count) {
        const ssize_t wrote = ::write(m_descriptor, bytes + done, count - done);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return fail("cannot write", wrote < 0 ? errno : EIO);
        done += static_cast<std::size_t>(wrote);
    }
    return true;
}

bool VRDMp4OutputFile::fail(const std::string &what, int errorNumber)
{
    if (m_error.empty()) {
        m_error = what + " " + m_path + ": " + std::strerror(errorNumber);
        m_writeProtected = errorNumber == EROFS || onReadOnlyMount(m_path);
    }
    return false;
}
