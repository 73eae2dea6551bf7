#include "export/VRDSha256.h"

extern "C" {
#include <libavutil/mem.h>
#include <libavutil/sha.h>
}

#include <cerrno>
#include <cstdint>
#include <memory>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::size_t kBlockBytes = 1 << 20;

struct ShaFree {
    void operator()(AVSHA *sha) const { av_free(sha); }
};

struct Descriptor {
    int fd;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

} // namespace

std::optional<std::string> VRDSha256OfFile(const std::string &path)
{
    const Descriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    if (file.fd < 0)
        return std::nullopt;
    std::unique_ptr<AVSHA, ShaFree> sha(av_sha_alloc());
    if (!sha || av_sha_init(sha.get(), 256) < 0)
        return std::nullopt;
    std::vector<std::uint8_t> block(kBlockBytes);
    for (;;) {
        const ssize_t got = ::read(file.fd, block.data(), block.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        av_sha_update(sha.get(), block.data(), static_cast<size_t>(got));
    }
    std::uint8_t digest[32];
    av_sha_final(sha.get(), digest);
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text;
    for (std::uint8_t byte : digest) {
        text += kHex[byte >> 4];
        text += kHex[byte & 15];
    }
    return text;
}
