#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

// Appends the big-endian fields and whole boxes that the MP4 writer lays out
// in memory (the movie box and its tables).
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

// A box of the four-character type around the payload. Callers keep the
// movie box far below 4 GiB (it holds only tables).
inline Bytes box(std::string_view type, std::span<const std::uint8_t> payload)
{
    Bytes out;
    out.reserve(8 + payload.size());
    append32(out, static_cast<std::uint32_t>(8 + payload.size()));
    appendText(out, type.substr(0, 4));
    appendBytes(out, payload);
    return out;
}

// Version 0, no flags unless given.
inline Bytes fullBoxHeader(std::uint32_t flags = 0)
{
    Bytes out;
    append32(out, flags & 0x00FFFFFFu);
    return out;
}

inline Bytes container(std::string_view type, std::initializer_list<Bytes> children)
{
    Bytes payload;
    for (const Bytes &child : children)
        appendBytes(payload, child);
    return box(type, payload);
}

} // namespace VRDMp4Bytes
