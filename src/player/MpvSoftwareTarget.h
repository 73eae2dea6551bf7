#pragma once

#include <QImage>
#include <QSize>

struct mpv_render_context;

// Where libmpv's software renderer draws a frame: an opaque 32-bit image the views
// paint without OpenGL. Used when OpenGL itself runs on the CPU: converting and
// scaling the frame with libmpv's own software scaler, and painting it into the
// window, then costs a fraction of the same work as shaders on a software rasterizer.
class MpvSoftwareTarget
{
public:
    // Draws the core's current frame at `size`; answers libmpv's result (negative: an
    // mpv error code).
    int render(mpv_render_context *context, const QSize &size);

    // The last frame drawn; null before the first.
    const QImage &image() const { return m_image; }

private:
    QImage m_image;
};
