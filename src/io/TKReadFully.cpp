#include "io/TKReadFully.h"

#include <cerrno>

#include <unistd.h>

std::size_t TKReadFully(int descriptor, void *buffer, std::size_t size)
{
    auto *bytes = static_cast<char *>(buffer);
    std::size_t total = 0;
    while (total < size) {
        const ssize_t got = ::read(descriptor, bytes + total, size - total);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        total += static_cast<std::size_t>(got);
    }
    return total;
}
