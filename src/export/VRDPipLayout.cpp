#include "export/VRDPipLayout.h"

#include <algorithm>

namespace {

int even(double value)
{
    return std::max(2, static_cast<int>(value) & ~1);
}

} // namespace

VRDPipLayout VRDPipLayout::compute(int width, int height, int rearWidth, int rearHeight, Corner corner)
{
    VRDPipLayout layout;
    const int margin = even(width / 40.0);
    // Above the strip band (a sixteenth of the height) with room to spare.
    const int bottomMargin = even(height / 8.0);
    layout.rear.width = even(width / 3.0);
    const double aspect = rearWidth > 0 && rearHeight > 0 ? static_cast<double>(rearHeight) / rearWidth : 9.0 / 16.0;
    layout.rear.height = std::min(even(layout.rear.width * aspect), even(height / 2.0));
    const bool left = corner == Corner::TopLeft || corner == Corner::BottomLeft;
    const bool top = corner == Corner::TopLeft || corner == Corner::TopRight;
    layout.rear.x = left ? margin : even(width - margin - layout.rear.width);
    layout.rear.y = top ? margin : even(height - bottomMargin - layout.rear.height);

    layout.overlay.width = even(width * 0.42);
    layout.overlay.height = even(std::max(48.0, height * 0.16));
    const bool overlayLeft = !(top && left);
    layout.overlay.x = overlayLeft ? margin : even(width - margin - layout.overlay.width);
    layout.overlay.y = margin;
    return layout;
}
