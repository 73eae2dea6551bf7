#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// Reads Exp-Golomb numbers from the start of an H.264 NAL unit's payload,
// with the emulation-prevention bytes (00 00 03) taken out first.
class VRDH264Bits {
public:
    // `payload` follows the NAL header byte; only its first bytes are used.
    explicit VRDH264Bits(std::span<const std::uint8_t> payload);

    // ue(v); nothing when the bits run out or the number is absurdly long.
    std::optional<std::uint32_t> unsignedGolomb();

private:
    std::optional<int> bit();

    std::vector<std::uint8_t> m_bytes;
    std::size_t m_bit = 0;
};
