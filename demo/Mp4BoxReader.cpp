#include "demo/Mp4BoxReader.h"

#include <stdexcept>

std::vector<Mp4BoxReader::Box> Mp4BoxReader::boxes(const std::vector<std::uint8_t> &bytes, std::size_t begin,
                                                   std::size_t end)
{
    if (end > bytes.size() || begin > end)
        throw std::runtime_error("box range lies outside the file");
    std::vector<Box> found;
    std::size_t offset = begin;
    while (offset < end) {
        if (end - offset < 8)
            throw std::runtime_error("truncated box header");
        Box box;
        box.offset = offset;
        box.headerSize = 8;
        std::uint64_t size = bigEndian32(bytes, offset);
        box.type.assign(reinterpret_cast<const char *>(bytes.data() + offset + 4), 4);
        if (size == 1) {
            if (end - offset < 16)
                throw std::runtime_error("truncated 64-bit box header");
            size = bigEndian64(bytes, offset + 8);
            box.headerSize = 16;
        } else if (size == 0) {
            size = end - offset;
        }
        if (size < box.headerSize || size > end - offset)
            throw std::runtime_error("box '" + box.type + "' has a size outside its parent");
        box.size = static_cast<std::size_t>(size);
        found.push_back(box);
        offset += box.size;
    }
    return found;
}

std::vector<Mp4BoxReader::Box> Mp4BoxReader::children(const std::vector<std::uint8_t> &bytes, const Box &parent)
{
    return boxes(bytes, parent.payloadOffset(), parent.end());
}

Mp4BoxReader::Box Mp4BoxReader::find(const std::vector<Box> &boxes, const std::string &type)
{
    for (const Box &box : boxes) {
        if (box.type == type)
            return box;
    }
    throw std::runtime_error("no '" + type + "' box");
}

std::uint32_t Mp4BoxReader::bigEndian32(const std::vector<std::uint8_t> &bytes, std::size_t offset)
{
    if (offset + 4 > bytes.size())
        throw std::runtime_error("read past the end of the file");
    return static_cast<std::uint32_t>(bytes[offset]) << 24 | static_cast<std::uint32_t>(bytes[offset + 1]) << 16
        | static_cast<std::uint32_t>(bytes[offset + 2]) << 8 | bytes[offset + 3];
}

std::uint64_t Mp4BoxReader::bigEndian64(const std::vector<std::uint8_t> &bytes, std::size_t offset)
{
    return static_cast<std::uint64_t>(bigEndian32(bytes, offset)) << 32 | bigEndian32(bytes, offset + 4);
}

void Mp4BoxReader::putBigEndian32(std::vector<std::uint8_t> &bytes, std::size_t offset, std::uint32_t value)
{
    if (offset + 4 > bytes.size())
        throw std::runtime_error("write past the end of the box");
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
}

void Mp4BoxReader::putBigEndian64(std::vector<std::uint8_t> &bytes, std::size_t offset, std::uint64_t value)
{
    putBigEndian32(bytes, offset, static_cast<std::uint32_t>(value >> 32));
    putBigEndian32(bytes, offset + 4, static_cast<std::uint32_t>(value));
}
