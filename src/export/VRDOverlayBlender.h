#pragma once

#include <QImage>

#include <cstdint>
#include <vector>

struct AVFrame;

// Lays a painted ARGB picture over a YUV 4:2:0 frame. The picture is
// turned into planes once, so blending it into every frame costs only a
// weighted sum per pixel.
class VRDOverlayBlender {
public:
    // x, y and the image's size even.
    void prepare(const QImage &image);
    void blend(AVFrame &frame, int x, int y) const;

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<std::uint8_t> m_luma, m_alpha;
    std::vector<std::uint8_t> m_cb, m_cr, m_chromaAlpha;
};
