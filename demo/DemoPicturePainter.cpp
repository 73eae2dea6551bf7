#include "demo/DemoPicturePainter.h"

#include "demo/FrameNumberStrip.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>

namespace {

constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;

struct Glyph {
    char character;
    std::array<std::uint8_t, kGlyphHeight> rows; // bit 4 is the leftmost column
};

// Only the characters the pictures use.
constexpr std::array<Glyph, 17> kGlyphs{{
    {'0', {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}},
    {'1', {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'2', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}},
    {'3', {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E}},
    {'4', {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}},
    {'5', {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E}},
    {'6', {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}},
    {'7', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08}},
    {'8', {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}},
    {'9', {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C}},
    {'A', {0x0E, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}},
    {'E', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F}},
    {'F', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x10}},
    {'N', {0x11, 0x19, 0x15, 0x13, 0x11, 0x11, 0x11}},
    {'O', {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}},
    {'R', {0x1E, 0x11, 0x11, 0x1E, 0x14, 0x12, 0x11}},
    {'T', {0x1F, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04}},
}};

const Glyph *glyphFor(char character)
{
    for (const Glyph &glyph : kGlyphs) {
        if (glyph.character == character)
            return &glyph;
    }
    return nullptr;
}

constexpr std::uint8_t kWhite[3] = {255, 255, 255};
constexpr std::uint8_t kLabelShadow[3] = {20, 20, 20};
constexpr std::uint8_t kSweepBar[3] = {250, 220, 40};

} // namespace

DemoPicturePainter::DemoPicturePainter(Camera camera, int width, int height, int framesPerSecond)
    : m_camera(camera), m_width(width), m_height(height), m_framesPerSecond(framesPerSecond)
{
    if (width < 64 || height < 32 || width % 2 != 0 || height % 2 != 0)
        throw std::invalid_argument("picture size must be even and at least 64x32");
    if (framesPerSecond < 1)
        throw std::invalid_argument("frame rate must be at least 1");
    m_background.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    paintBackground();
}

void DemoPicturePainter::paintBackground()
{
    // Front: sky above a grey road; rear: warm red-orange, so the two views
    // never look alike even without reading the label.
    const int horizon = m_height / 2;
    for (int y = 0; y < m_height; ++y) {
        std::uint8_t colour[3];
        const int shade = 255 * y / m_height;
        if (m_camera == Camera::Front) {
            if (y < horizon) {
                colour[0] = static_cast<std::uint8_t>(40 + shade / 4);
                colour[1] = static_cast<std::uint8_t>(90 + shade / 3);
                colour[2] = static_cast<std::uint8_t>(200 - shade / 8);
            } else {
                colour[0] = colour[1] = colour[2] = static_cast<std::uint8_t>(110 - shade / 8);
            }
        } else {
            colour[0] = static_cast<std::uint8_t>(200 - shade / 6);
            colour[1] = static_cast<std::uint8_t>(90 - shade / 6);
            colour[2] = static_cast<std::uint8_t>(40 + shade / 10);
        }
        fillRect(m_background, 0, y, m_width, y + 1, colour);
    }
    const int scale = std::max(1, m_height / 40);
    const std::string_view label = m_camera == Camera::Front ? "FRONT" : "REAR";
    const int left = m_width / 16;
    const int top = m_height / 12;
    paintText(m_background, label, left + scale / 2 + 1, top + scale / 2 + 1, scale, kLabelShadow);
    paintText(m_background, label, left, top, scale, kWhite);
}

void DemoPicturePainter::paint(std::uint32_t frameNumber, std::vector<std::uint8_t> &out) const
{
    out = m_background;
    const int bandTop = m_height - FrameNumberStrip::bandHeight(m_height);
    const int barWidth = std::max(4, m_width / 40);
    const int sweepFrames = 2 * m_framesPerSecond;
    const int barLeft = static_cast<int>(frameNumber % static_cast<std::uint32_t>(sweepFrames)) * (m_width - barWidth) / sweepFrames;
    fillRect(out, barLeft, m_height / 2, barLeft + barWidth, bandTop - m_height / 20, kSweepBar);

    // The digits sit under the camera label, at half its size.
    const int labelScale = std::max(1, m_height / 40);
    const int digitsTop = m_height / 12 + (kGlyphHeight + 3) * labelScale;
    paintText(out, std::to_string(frameNumber), m_width / 16, digitsTop, std::max(1, labelScale / 2), kWhite);
    FrameNumberStrip::paint(out.data(), m_width, m_height, static_cast<std::size_t>(m_width) * 3, frameNumber);
}

void DemoPicturePainter::paintText(std::vector<std::uint8_t> &pixels, std::string_view text, int left, int top,
                                   int scale, const std::uint8_t colour[3]) const
{
    int x = left;
    for (char character : text) {
        if (const Glyph *glyph = glyphFor(character)) {
            for (int row = 0; row < kGlyphHeight; ++row) {
                for (int column = 0; column < kGlyphWidth; ++column) {
                    if (glyph->rows[row] & (0x10 >> column)) {
                        fillRect(pixels, x + column * scale, top + row * scale, x + (column + 1) * scale,
                                 top + (row + 1) * scale, colour);
                    }
                }
            }
        }
        x += (kGlyphWidth + 1) * scale;
    }
}

void DemoPicturePainter::fillRect(std::vector<std::uint8_t> &pixels, int left, int top, int right, int bottom,
                                  const std::uint8_t colour[3]) const
{
    left = std::clamp(left, 0, m_width);
    right = std::clamp(right, 0, m_width);
    top = std::clamp(top, 0, m_height);
    bottom = std::clamp(bottom, 0, m_height);
    for (int y = top; y < bottom; ++y) {
        std::uint8_t *row = pixels.data() + (static_cast<std::size_t>(y) * m_width + left) * 3;
        for (int x = left; x < right; ++x) {
            *row++ = colour[0];
            *row++ = colour[1];
            *row++ = colour[2];
        }
    }
}
