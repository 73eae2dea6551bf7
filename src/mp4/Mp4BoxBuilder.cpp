#include "mp4/Mp4BoxBuilder.h"

#include "io/TKBigEndian.h"

#include <stdexcept>

Mp4BoxBuilder::Bytes Mp4BoxBuilder::box(std::string_view type, const Bytes &payload)
{
    if (type.size() != 4)
        throw std::invalid_argument("an MP4 box type has four characters");
    const std::uint64_t size = 8 + payload.size();
    if (size > UINT32_MAX)
        throw std::length_error("box larger than a 32-bit size can say");
    Bytes out;
    out.reserve(static_cast<std::size_t>(size));
    appendBigEndian32(out, static_cast<std::uint32_t>(size));
    out.insert(out.end(), type.begin(), type.end());
    appendBytes(out, payload);
    return out;
}

Mp4BoxBuilder::Bytes Mp4BoxBuilder::container(std::string_view type, std::initializer_list<Bytes> children)
{
    return container(type, std::vector<Bytes>(children));
}

Mp4BoxBuilder::Bytes Mp4BoxBuilder::container(std::string_view type, const std::vector<Bytes> &children)
{
    Bytes payload;
    for (const Bytes &child : children)
        appendBytes(payload, child);
    return box(type, payload);
}

void Mp4BoxBuilder::appendBigEndian32(Bytes &out, std::uint32_t value)
{
    TKBigEndian::append32(out, value);
}

void Mp4BoxBuilder::appendBytes(Bytes &out, const Bytes &more)
{
    out.insert(out.end(), more.begin(), more.end());
}
