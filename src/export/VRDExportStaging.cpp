#include "export/VRDExportStaging.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string systemError(const std::string &what, int number)
{
    return what + ": " + std::strerror(number);
}

bool syncPath(const std::string &path, int flags, std::string &error)
{
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0) {
        error = systemError("cannot open " + path, errno);
        return false;
    }
    const bool synced = ::fsync(fd) == 0;
    const int syncError = errno;
    ::close(fd);
    if (!synced) {
        error = systemError("cannot write " + path, syncError);
        return false;
    }
    return true;
}

} // namespace

VRDExportStaging::VRDExportStaging(std::string directory)
    : m_directory(std::move(directory))
{
}

VRDExportStaging::~VRDExportStaging()
{
    if (!m_done)
        discard();
}

std::string VRDExportStaging::stage(const std::string &name)
{
    const std::string temporary = m_directory + "/." + name + ".tovik-" + std::to_string(::getpid()) + ".part";
    m_staged.emplace_back(temporary, m_directory + "/" + name);
    return temporary;
}

void VRDExportStaging::discard()
{
    for (const auto &[temporary, final] : m_staged)
        ::unlink(temporary.c_str());
    m_done = true;
}

bool VRDExportStaging::commit(std::string &error)
{
    for (const auto &[temporary, final] : m_staged) {
        if (!syncPath(temporary, O_RDONLY, error)) {
            discard();
            return false;
        }
    }
    // Files of the same names (an earlier export replaced on request) are
    // kept aside until every new file is in place, to be put back if any
    // rename fails.
    struct Aside {
        std::string path;
        bool linked = false; // still under its own name too
    };
    std::vector<Aside> kept(m_staged.size());
    const auto restore = [&](std::size_t renamed) {
        for (std::size_t i = 0; i < kept.size(); ++i) {
            const std::string &final = m_staged[i].second;
            if (kept[i].path.empty()) {
                if (i < renamed)
                    ::unlink(final.c_str());
            } else if (i >= renamed && kept[i].linked) {
                ::unlink(kept[i].path.c_str());
            } else if (::rename(kept[i].path.c_str(), final.c_str()) != 0) {
                error += "; the earlier " + final + " is left as " + kept[i].path;
            }
        }
        discard();
    };
    for (std::size_t i = 0; i < m_staged.size(); ++i) {
        const std::string &final = m_staged[i].second;
        struct stat existing {};
        if (::lstat(final.c_str(), &existing) != 0 || S_ISDIR(existing.st_mode))
            continue;
        const std::string aside = m_staged[i].first + ".old";
        // A second name keeps the old file visible under its own until the
        // new one replaces it; a folder without hard links (FAT) moves it.
        if (::link(final.c_str(), aside.c_str()) == 0) {
            kept[i] = {aside, true};
        } else if (::rename(final.c_str(), aside.c_str()) == 0) {
            kept[i] = {aside, false};
        } else {
            error = systemError("cannot keep " + final + " aside", errno);
            restore(0);
            return false;
        }
    }
    for (std::size_t i = 0; i < m_staged.size(); ++i) {
        if (::rename(m_staged[i].first.c_str(), m_staged[i].second.c_str()) != 0) {
            error = systemError("cannot rename to " + m_staged[i].second, errno);
            restore(i);
            std::string ignored;
            syncPath(m_directory, O_RDONLY | O_DIRECTORY, ignored);
            return false;
        }
    }
    for (const Aside &aside : kept) {
        if (!aside.path.empty())
            ::unlink(aside.path.c_str());
    }
    m_done = true;
    return syncPath(m_directory, O_RDONLY | O_DIRECTORY, error);
}

bool VRDExportStaging::writeText(const std::string &path, const std::string &text, std::string &error)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        error = systemError("cannot write " + path, errno);
        return false;
    }
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t result = ::write(fd, text.data() + written, text.size() - written);
        if (result < 0 && errno == EINTR)
            continue;
        if (result < 0) {
            error = systemError("cannot write " + path, errno);
            ::close(fd);
            return false;
        }
        written += static_cast<std::size_t>(result);
    }
    if (::close(fd) != 0) {
        error = systemError("cannot write " + path, errno);
        return false;
    }
    return true;
}
