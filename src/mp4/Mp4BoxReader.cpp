#include "mp4/Mp4BoxReader.h"

#include "io/TKBigEndian.h"
#include "mp4/Mp4BoxChildren.h"

#include <cstring>

namespace {

constexpr std::uint64_t kHeaderSize = 8;
constexpr std::uint64_t kLargeHeaderSize = 16;
// A 32-bit size of 1 says that a 64-bit size follows the type; 0 that the
// box reaches to the end of its parent.
constexpr std::uint64_t kLargeSizeFollows = 1;
constexpr std::uint64_t kToEndOfParent = 0;

TKError boxError(const Mp4Box &box, const std::string &what)
{
    return TKError{"box '" + box.typeText() + "' at " + std::to_string(box.offset) + " " + what};
}

} // namespace

Mp4Box Mp4BoxReader::file() const
{
    Mp4Box file;
    file.size = m_source.size();
    return file;
}

TKResult<Mp4Box> Mp4BoxReader::boxAt(const Mp4Box &parent, std::uint64_t offset)
{
    const std::uint64_t end = parent.end();
    if (offset < parent.payloadOffset() || offset > end)
        return TKError{"offset " + std::to_string(offset) + " lies outside box '" + parent.typeText() + "'"};
    if (end - offset < kHeaderSize)
        return TKError{"box header at " + std::to_string(offset) + " is cut short"};
    std::uint8_t header[kLargeHeaderSize];
    if (m_source.readAt(offset, header, kHeaderSize) != kHeaderSize)
        return TKError{"box header at " + std::to_string(offset) + " cannot be read"};

    Mp4Box box;
    box.offset = offset;
    box.headerSize = kHeaderSize;
    std::memcpy(box.type.data(), header + 4, box.type.size());
    std::uint64_t size = TKBigEndian::read32(header);
    if (size == kLargeSizeFollows) {
        if (end - offset < kLargeHeaderSize)
            return boxError(box, "has its 64-bit size cut short");
        if (m_source.readAt(offset + kHeaderSize, header + kHeaderSize, 8) != 8)
            return boxError(box, "has a 64-bit size that cannot be read");
        size = TKBigEndian::read64(header + kHeaderSize);
        box.headerSize = kLargeHeaderSize;
    } else if (size == kToEndOfParent) {
        size = end - offset;
    }
    if (size < box.headerSize)
        return boxError(box, "has a size of " + std::to_string(size) + ", smaller than its header");
    if (size > end - offset)
        return boxError(box, "has a size of " + std::to_string(size) + ", reaching past its parent");
    box.size = size;
    return box;
}

TKResult<Mp4Box> Mp4BoxReader::child(const Mp4Box &parent, std::string_view type)
{
    Mp4BoxChildren children(*this, parent);
    for (Mp4Box box; children.next(box);) {
        if (box.is(type))
            return box;
    }
    if (children.failed())
        return TKError{children.error()};
    return TKError{"no '" + std::string(type) + "' box in '" + parent.typeText() + "'"};
}

TKResult<Mp4Box> Mp4BoxReader::childAt(const Mp4Box &parent, std::size_t index)
{
    Mp4BoxChildren children(*this, parent);
    std::size_t at = 0;
    for (Mp4Box box; children.next(box); ++at) {
        if (at == index)
            return box;
    }
    if (children.failed())
        return TKError{children.error()};
    return TKError{"box '" + parent.typeText() + "' has only " + std::to_string(at) + " children"};
}

TKResult<std::vector<std::uint8_t>> Mp4BoxReader::payload(const Mp4Box &box, std::uint64_t limit)
{
    if (box.payloadSize() > limit)
        return boxError(box, "has " + std::to_string(box.payloadSize()) + " bytes, more than the "
                                 + std::to_string(limit) + " expected");
    return payloadBytes(box, 0, box.payloadSize());
}

TKResult<std::uint32_t> Mp4BoxReader::payload32(const Mp4Box &box, std::uint64_t at)
{
    const TKResult<std::vector<std::uint8_t>> bytes = payloadBytes(box, at, 4);
    if (!bytes)
        return TKError{bytes.error()};
    return TKBigEndian::read32(bytes->data());
}

TKResult<std::uint64_t> Mp4BoxReader::payload64(const Mp4Box &box, std::uint64_t at)
{
    const TKResult<std::vector<std::uint8_t>> bytes = payloadBytes(box, at, 8);
    if (!bytes)
        return TKError{bytes.error()};
    return TKBigEndian::read64(bytes->data());
}

TKResult<std::vector<std::uint8_t>> Mp4BoxReader::payloadBytes(const Mp4Box &box, std::uint64_t at,
                                                               std::uint64_t count)
{
    if (at > box.payloadSize() || count > box.payloadSize() - at)
        return boxError(box, "is too short for " + std::to_string(count) + " bytes at " + std::to_string(at));
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(count));
    if (!bytes.empty() && m_source.readAt(box.payloadOffset() + at, bytes.data(), bytes.size()) != bytes.size())
        return boxError(box, "cannot be read");
    return bytes;
}
