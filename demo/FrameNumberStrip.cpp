#include "demo/FrameNumberStrip.h"

#include <algorithm>

namespace {

constexpr int kDarkBelow = 80;
constexpr int kLightAbove = 175;

struct Cell {
    int left;
    int right; // exclusive
};

Cell cellAt(int index, int width)
{
    return {index * width / FrameNumberStrip::kBits, (index + 1) * width / FrameNumberStrip::kBits};
}

} // namespace

int FrameNumberStrip::bandHeight(int height)
{
    return std::max(8, height / 16);
}

void FrameNumberStrip::paint(std::uint8_t *rgb, int width, int height, std::size_t stride, std::uint32_t frameNumber)
{
    const int top = std::max(0, height - bandHeight(height));
    for (int bit = 0; bit < kBits; ++bit) {
        const bool set = (frameNumber >> (kBits - 1 - bit)) & 1u;
        const std::uint8_t level = set ? 255 : 0;
        const Cell cell = cellAt(bit, width);
        for (int y = top; y < height; ++y) {
            std::uint8_t *row = rgb + static_cast<std::size_t>(y) * stride;
            std::fill(row + 3 * cell.left, row + 3 * cell.right, level);
        }
    }
}

std::optional<std::uint32_t> FrameNumberStrip::decode(const std::uint8_t *rgb, int width, int height, std::size_t stride)
{
    if (rgb == nullptr || width < kBits * 4 || height < 8)
        return std::nullopt;
    const int band = bandHeight(height);
    const int top = height - band + band / 4;
    const int bottom = height - band / 4;
    std::uint32_t number = 0;
    for (int bit = 0; bit < kBits; ++bit) {
        const Cell cell = cellAt(bit, width);
        const int quarter = (cell.right - cell.left) / 4;
        std::uint64_t sum = 0;
        std::uint64_t count = 0;
        for (int y = top; y < bottom; ++y) {
            const std::uint8_t *row = rgb + static_cast<std::size_t>(y) * stride;
            for (int x = cell.left + quarter; x < cell.right - quarter; ++x) {
                sum += row[3 * x] + row[3 * x + 1] + row[3 * x + 2];
                count += 3;
            }
        }
        if (count == 0)
            return std::nullopt;
        const auto mean = static_cast<int>(sum / count);
        if (mean > kDarkBelow && mean < kLightAbove)
            return std::nullopt;
        number = (number << 1) | (mean >= kLightAbove ? 1u : 0u);
    }
    return number;
}
