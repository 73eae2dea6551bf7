#pragma once

#include <QObject>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QSize>
#include <QString>

#include <memory>

struct mpv_handle;
class MpvRenderContext;
class QOpenGLFramebufferObject;

// Draws the frames of one libmpv core into a texture on an offscreen OpenGL context of
// its own, shared with the views. Frames are drawn whether or not a view is visible,
// so the core never waits for a hidden or re-parented widget.
class MpvFrameRenderer : public QObject
{
    Q_OBJECT

public:
    explicit MpvFrameRenderer(QObject *parent = nullptr);
    ~MpvFrameRenderer() override;

    // Makes the OpenGL context and the core's render context; false with the reason.
    bool start(mpv_handle *handle, QString *errorText);
    // The pixel size to draw at (the view's size); the picture keeps its aspect.
    void setTargetSize(const QSize &pixels);
    // The texture of the last frame, 0 before the first one.
    unsigned textureId() const;

signals:
    void frameReady();

private:
    static void requestRender(void *renderer);
    void render(bool redraw);

    QOffscreenSurface m_surface;
    QOpenGLContext m_context;
    std::unique_ptr<QOpenGLFramebufferObject> m_frame;
    std::unique_ptr<MpvRenderContext> m_mpvRender;
    QSize m_targetSize;
    bool m_hasFrame = false;
};
