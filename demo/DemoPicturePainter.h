#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

// Paints the demo recordings' pictures as packed RGB24: a background and a
// large label that tell the front camera from the rear one at a glance, the
// frame number in digits for people, a bar that sweeps across so motion is
// visible, and the frame-number strip for machines.
class DemoPicturePainter {
public:
    enum class Camera { Front, Rear };

    DemoPicturePainter(Camera camera, int width, int height, int framesPerSecond);

    int width() const { return m_width; }
    int height() const { return m_height; }
    std::size_t frameBytes() const { return m_background.size(); }

    // Writes frame number n into out (resized to frameBytes()).
    void paint(std::uint32_t frameNumber, std::vector<std::uint8_t> &out) const;

private:
    void paintBackground();
    void paintText(std::vector<std::uint8_t> &pixels, std::string_view text, int left, int top, int scale,
                   const std::uint8_t colour[3]) const;
    void fillRect(std::vector<std::uint8_t> &pixels, int left, int top, int right, int bottom,
                  const std::uint8_t colour[3]) const;

    Camera m_camera;
    int m_width;
    int m_height;
    int m_framesPerSecond;
    std::vector<std::uint8_t> m_background;
};
