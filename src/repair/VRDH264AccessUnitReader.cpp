#include "repair/VRDH264AccessUnitReader.h"

#include "repair/VRDH264Bits.h"

#include <algorithm>

namespace {

enum NalType : std::uint8_t {
    kSlice = 1,
    kIdrSlice = 5,
    kSei = 6,
    kSequenceParameterSet = 7,
    kPictureParameterSet = 8,
    kAccessUnitDelimiter = 9,
    kEndOfSequence = 10,
    kEndOfStream = 11,
    kFiller = 12,
};

// NAL header and the first bytes of a slice header.
constexpr std::size_t kPeekBytes = 24;
constexpr std::size_t kMaxNalsPerUnit = 1024;
constexpr std::uint32_t kLargestSliceType = 9;

} // namespace

std::optional<VRDH264AccessUnitReader::Setup> VRDH264AccessUnitReader::setupFrom(std::span<const std::uint8_t> avcC,
                                                                               std::uint64_t largestNal)
{
    if (avcC.size() < 7 || avcC[0] != 1)
        return std::nullopt;
    Setup setup;
    setup.lengthSize = (avcC[4] & 3) + 1;
    setup.largestNal = largestNal;
    if (setup.lengthSize == 3)
        return std::nullopt;
    std::size_t at = 5;
    const int sequenceSets = avcC[at++] & 0x1F;
    for (int i = 0; i < sequenceSets; ++i) {
        if (at + 2 > avcC.size())
            return std::nullopt;
        at += 2 + (std::size_t{avcC[at]} << 8 | avcC[at + 1]);
    }
    if (at >= avcC.size())
        return std::nullopt;
    const int pictureSets = avcC[at++];
    for (int i = 0; i < pictureSets; ++i) {
        if (at + 2 > avcC.size())
            return std::nullopt;
        const std::size_t length = std::size_t{avcC[at]} << 8 | avcC[at + 1];
        at += 2;
        if (length < 2 || at + length > avcC.size())
            return std::nullopt;
        VRDH264Bits bits(avcC.subspan(at + 1, length - 1));
        if (const std::optional<std::uint32_t> id = bits.unsignedGolomb())
            setup.pictureParameterSets.insert(*id);
        at += length;
    }
    if (setup.pictureParameterSets.empty())
        return std::nullopt;
    return setup;
}

VRDH264AccessUnitReader::Role VRDH264AccessUnitReader::sliceRole(std::span<const std::uint8_t> payload) const
{
    VRDH264Bits bits(payload);
    const std::optional<std::uint32_t> firstMacroblock = bits.unsignedGolomb();
    const std::optional<std::uint32_t> sliceType = bits.unsignedGolomb();
    const std::optional<std::uint32_t> pictureSet = bits.unsignedGolomb();
    if (!firstMacroblock || !sliceType || !pictureSet || *sliceType > kLargestSliceType
        || !m_setup.pictureParameterSets.contains(*pictureSet))
        return Role::Invalid;
    return *firstMacroblock == 0 ? Role::FirstSlice : Role::MoreSlice;
}

VRDH264AccessUnitReader::Nal VRDH264AccessUnitReader::nalAt(VRDScanWindow &window, std::uint64_t offset) const
{
    Nal nal;
    const auto prefix = static_cast<std::size_t>(m_setup.lengthSize);
    const std::uint64_t available = window.available(offset);
    if (available < prefix + 1)
        return nal;
    const std::size_t peek = static_cast<std::size_t>(std::min<std::uint64_t>(available, prefix + kPeekBytes));
    const std::uint8_t *bytes = window.bytes(offset, peek);
    if (!bytes)
        return nal;
    std::uint64_t length = 0;
    for (std::size_t i = 0; i < prefix; ++i)
        length = length << 8 | bytes[i];
    if (length == 0 || length > m_setup.largestNal)
        return nal;
    const std::uint8_t header = bytes[prefix];
    const int type = header & 0x1F;
    const int reference = header >> 5 & 3;
    if (header & 0x80)
        return nal;
    nal.size = prefix + length;
    nal.whole = available >= nal.size;
    const std::span<const std::uint8_t> payload(bytes + prefix + 1,
                                                static_cast<std::size_t>(std::min<std::uint64_t>(length - 1, peek - prefix - 1)));
    switch (type) {
    case kSlice:
        nal.role = sliceRole(payload);
        break;
    case kIdrSlice:
        nal.role = reference != 0 ? sliceRole(payload) : Role::Invalid;
        nal.idr = true;
        break;
    case kSequenceParameterSet:
    case kPictureParameterSet:
        nal.role = reference != 0 ? Role::Leading : Role::Invalid;
        break;
    case kSei:
    case kAccessUnitDelimiter:
        nal.role = reference == 0 ? Role::Leading : Role::Invalid;
        break;
    case kEndOfSequence:
    case kEndOfStream:
    case kFiller:
        nal.role = reference == 0 ? Role::Trailing : Role::Invalid;
        break;
    default:
        break;
    }
    return nal;
}

std::optional<VRDH264AccessUnitReader::AccessUnit> VRDH264AccessUnitReader::read(VRDScanWindow &window,
                                                                                 std::uint64_t offset) const
{
    AccessUnit unit;
    std::uint64_t at = offset;
    bool inPicture = false;
    for (std::size_t count = 0; count < kMaxNalsPerUnit; ++count) {
        const Nal nal = nalAt(window, at);
        if (!inPicture) {
            if (nal.role != Role::Leading && nal.role != Role::FirstSlice)
                return std::nullopt;
            if (!nal.whole)
                return std::nullopt;
            inPicture = nal.role == Role::FirstSlice;
            unit.idr = nal.idr;
        } else {
            if (nal.role != Role::MoreSlice && nal.role != Role::Trailing)
                break;
            if (!nal.whole)
                return std::nullopt;
        }
        at += nal.size;
    }
    if (!inPicture)
        return std::nullopt;
    unit.size = at - offset;
    return unit;
}

bool VRDH264AccessUnitReader::startsAccessUnit(VRDScanWindow &window, std::uint64_t offset) const
{
    const Role role = nalAt(window, offset).role;
    return role == Role::Leading || role == Role::FirstSlice;
}
