#pragma once

#include <cstdint>
#include <vector>

// Big-endian numbers as MP4 boxes store them, read from and written to raw bytes
// whatever the host's byte order.
namespace TKBigEndian {

inline std::uint32_t read32(const std::uint8_t *bytes)
{
    return (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) | (std::uint32_t{bytes[2]} << 8)
        | std::uint32_t{bytes[3]};
}

inline std::uint64_t read64(const std::uint8_t *bytes)
{
    return (std::uint64_t{read32(bytes)} << 32) | read32(bytes + 4);
}

inline void write32(std::uint8_t *bytes, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
}

inline void write64(std::uint8_t *bytes, std::uint64_t value)
{
    write32(bytes, static_cast<std::uint32_t>(value >> 32));
    write32(bytes + 4, static_cast<std::uint32_t>(value));
}

inline void append32(std::vector<std::uint8_t> &out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

} // namespace TKBigEndian
