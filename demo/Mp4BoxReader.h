#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Lists the boxes that lie one after another in a range of an MP4 file held
// in memory. Sizes are checked against the range, so a box never reaches past
// its parent.
class Mp4BoxReader {
public:
    struct Box {
        std::string type;
        std::size_t offset = 0;      // of the size field
        std::size_t headerSize = 0;  // 8, or 16 with a 64-bit size
        std::size_t size = 0;        // header included

        std::size_t payloadOffset() const { return offset + headerSize; }
        std::size_t end() const { return offset + size; }
    };

    // Throws std::runtime_error on a size that is too small or runs past end.
    static std::vector<Box> boxes(const std::vector<std::uint8_t> &bytes, std::size_t begin, std::size_t end);
    static std::vector<Box> children(const std::vector<std::uint8_t> &bytes, const Box &parent);
    // The first box of the type, or throws std::runtime_error naming it.
    static Box find(const std::vector<Box> &boxes, const std::string &type);

    static std::uint32_t bigEndian32(const std::vector<std::uint8_t> &bytes, std::size_t offset);
    static std::uint64_t bigEndian64(const std::vector<std::uint8_t> &bytes, std::size_t offset);
    static void putBigEndian32(std::vector<std::uint8_t> &bytes, std::size_t offset, std::uint32_t value);
    static void putBigEndian64(std::vector<std::uint8_t> &bytes, std::size_t offset, std::uint64_t value);
};
