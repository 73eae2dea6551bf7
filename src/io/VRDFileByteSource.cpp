#include "io/VRDFileByteSource.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

VRDFileByteSource::~VRDFileByteSource()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

bool VRDFileByteSource::open(const std::string &path)
{
    if (m_descriptor >= 0) {
        ::close(m_descriptor);
        m_descriptor = -1;
        m_size = 0;
    }
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        return false;
    }
    m_descriptor = descriptor;
    m_size = static_cast<std::uint64_t>(status.st_size);
    return true;
}

std::size_t VRDFileByteSource::readAt(std::uint64_t offset, void *buffer, std::size_t count)
{
    if (m_descriptor < 0 || offset > static_cast<std::uint64_t>(INT64_MAX))
        return 0;
    auto *bytes = static_cast<char *>(buffer);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got = ::pread(m_descriptor, bytes + done, count - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}
