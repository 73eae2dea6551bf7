#include "repair/VRDH264Bits.h"

namespace {

// Slice and parameter-set headers name their ids in the first few bytes.
constexpr std::size_t kHeaderBytes = 32;
constexpr int kLongestGolombPrefix = 31;

} // namespace

VRDH264Bits::VRDH264Bits(std::span<const std::uint8_t> payload)
{
    int zeros = 0;
    for (std::size_t i = 0; i < payload.size() && m_bytes.size() < kHeaderBytes; ++i) {
        if (zeros >= 2 && payload[i] == 3) {
            zeros = 0;
            continue;
        }
        zeros = payload[i] == 0 ? zeros + 1 : 0;
        m_bytes.push_back(payload[i]);
    }
}

std::optional<int> VRDH264Bits::bit()
{
    if (m_bit >= m_bytes.size() * 8)
        return std::nullopt;
    const int value = (m_bytes[m_bit / 8] >> (7 - m_bit % 8)) & 1;
    ++m_bit;
    return value;
}

std::optional<std::uint32_t> VRDH264Bits::unsignedGolomb()
{
    int leadingZeros = 0;
    for (;;) {
        const std::optional<int> next = bit();
        if (!next)
            return std::nullopt;
        if (*next == 1)
            break;
        if (++leadingZeros > kLongestGolombPrefix)
            return std::nullopt;
    }
    std::uint64_t suffix = 0;
    for (int i = 0; i < leadingZeros; ++i) {
        const std::optional<int> next = bit();
        if (!next)
            return std::nullopt;
        suffix = suffix << 1 | static_cast<std::uint64_t>(*next);
    }
    return static_cast<std::uint32_t>((std::uint64_t{1} << leadingZeros) - 1 + suffix);
}
