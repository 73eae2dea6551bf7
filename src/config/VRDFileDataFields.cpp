#include "config/VRDFileDataFields.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace {

const std::uint8_t *bytesOf(const FILEDATA &record)
{
    return reinterpret_cast<const std::uint8_t *>(&record);
}

std::uint8_t *bytesOf(FILEDATA &record)
{
    return reinterpret_cast<std::uint8_t *>(&record);
}

std::uint32_t readLittleEndian(const std::uint8_t *at, std::size_t width)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < width; ++i)
        value |= static_cast<std::uint32_t>(at[i]) << (8 * i);
    return value;
}

void writeLittleEndian(std::uint8_t *at, std::size_t width, std::uint32_t value)
{
    for (std::size_t i = 0; i < width; ++i)
        at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::size_t elementWidth(const VRDFieldInfo &field)
{
    return field.width / field.count;
}

} // namespace

const VRDFieldInfo *VRDFileDataFields::find(std::string_view name)
{
    const auto found = std::find_if(kFileDataFields.begin(), kFileDataFields.end(),
                                    [name](const VRDFieldInfo &field) { return field.name == name; });
    return found == kFileDataFields.end() ? nullptr : &*found;
}

std::int64_t VRDFileDataFields::integerAt(const FILEDATA &record, const VRDFieldInfo &field, std::size_t index)
{
    const std::size_t width = elementWidth(field);
    const std::uint32_t raw = readLittleEndian(bytesOf(record) + field.offset + index * width, width);
    if (field.kind == VRDFieldKind::I32)
        return static_cast<std::int32_t>(raw);
    return raw;
}

float VRDFileDataFields::floatAt(const FILEDATA &record, const VRDFieldInfo &field, std::size_t index)
{
    return std::bit_cast<float>(readLittleEndian(bytesOf(record) + field.offset + index * 4, 4));
}

std::string VRDFileDataFields::textOf(const FILEDATA &record, const VRDFieldInfo &field)
{
    const char *begin = reinterpret_cast<const char *>(bytesOf(record) + field.offset);
    const char *end = std::find(begin, begin + field.width, '\0');
    return std::string(begin, end);
}

void VRDFileDataFields::setInteger(FILEDATA &record, const VRDFieldInfo &field, std::int64_t value, std::size_t index)
{
    const std::size_t width = elementWidth(field);
    writeLittleEndian(bytesOf(record) + field.offset + index * width, width, static_cast<std::uint32_t>(value));
}

void VRDFileDataFields::setFloat(FILEDATA &record, const VRDFieldInfo &field, float value)
{
    writeLittleEndian(bytesOf(record) + field.offset, 4, std::bit_cast<std::uint32_t>(value));
}

void VRDFileDataFields::setText(FILEDATA &record, const VRDFieldInfo &field, std::string_view text)
{
    std::uint8_t *at = bytesOf(record) + field.offset;
    std::memset(at, 0, field.width);
    std::memcpy(at, text.data(), std::min(text.size(), field.width));
}
