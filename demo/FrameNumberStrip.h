#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

// The machine-readable frame number along the bottom edge of every demo
// picture: a band of 16 equal cells across the full width, one bit each,
// most significant bit on the left, white for 1 and black for 0. Cells are
// wide and only their middle is sampled, so the number survives lossy
// encoding and scaling.
class FrameNumberStrip {
public:
    static constexpr int kBits = 16;
    static constexpr std::uint32_t kModulus = 1u << kBits;

    // Height of the band for a picture of this height.
    static int bandHeight(int height);

    // Paints frameNumber modulo 2^16 into a packed RGB24 picture.
    static void paint(std::uint8_t *rgb, int width, int height, std::size_t stride, std::uint32_t frameNumber);

    // Reads the number back from a packed RGB24 picture; nothing when a cell
    // is neither clearly dark nor clearly light (no strip, or a blended frame).
    static std::optional<std::uint32_t> decode(const std::uint8_t *rgb, int width, int height, std::size_t stride);
};
