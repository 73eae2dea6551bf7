#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// Where one box of an MP4 file lies and what it is. The whole file is a box
// without header and type (Mp4BoxReader::file()), so its top-level boxes are
// its children like any others.
struct Mp4Box {
    std::array<char, 4> type{};
    std::uint64_t offset = 0;      // of the size field
    std::uint64_t headerSize = 0;  // 8, or 16 with a 64-bit size
    std::uint64_t size = 0;        // header included

    std::uint64_t payloadOffset() const { return offset + headerSize; }
    std::uint64_t payloadSize() const { return size - headerSize; }
    std::uint64_t end() const { return offset + size; }
    bool is(std::string_view fourCharacters) const
    {
        return fourCharacters == std::string_view(type.data(), type.size());
    }
    // The type for messages, with any byte that is not printable as '?'.
    std::string typeText() const;
};
