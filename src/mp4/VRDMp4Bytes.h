#pragma once

#include <cstdint>
#include <span>
#include <initializer_list>
#include <string_view>
#include <vector>

// Appends the big-endian fields of the boxes that the MP4 writer lays out in
// memory (the movie box and its tables); Mp4BoxBuilder wraps them in boxes.
namespace VRDMp4Bytes {

using Bytes = std::vector<std::uint8_t>;

inline void append16(Bytes &out, std::uint16_t value)
{
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value));
}

inline void append32(Bytes &out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

inline void appendZeros(Bytes &out, std::size_t count)
{
    out.insert(out.end(), count, 0);
}

inline void appendText(Bytes &out, std::string_view text)
{
    out.insert(out.end(), text.begin(), text.end());
}

inline void appendBytes(Bytes &out, std::span<const std::uint8_t> more)
{
    out.insert(out.end(), more.begin(), more.end());
}

// Version 0, no flags unless given.
inline Bytes fullBoxHeader(std::uint32_t flags = 0)
{
    Bytes out;
    append32(out, flags & 0x00FFFFFFu);
    return out;
}

} // namespace VRDMp4Bytes
