#pragma once

#include "player/VRDMediaEngine.h"

#include <QObject>
#include <QOffscreenSurface>
#include <QImage>
#include <QOpenGLContext>
#include <QRect>
#include <QSize>
#include <QString>

#include <array>
#include <atomic>
#include <memory>

struct mpv_handle;
class MpvRenderContext;
class MpvSoftwareTarget;
class QOpenGLFramebufferObject;

// Draws the frames of one libmpv core into a texture on an offscreen OpenGL context of
// its own, shared with the views. Where OpenGL runs on the CPU, libmpv's software
// renderer draws the frames and they are uploaded into the texture instead. A frame may hold two pictures side by side (a
// recording and its twin); each view shows its own rectangle of the one texture.
// Frames are drawn whether or not a view is visible, so the core never waits for a
// hidden or re-parented widget.
class MpvFrameRenderer : public QObject
{
    Q_OBJECT

public:
    using View = VRDMediaEngine::View;
    // How frames are drawn: in software where OpenGL is itself a software rasterizer,
    // else through OpenGL; or one of the two regardless of the machine.
    enum class Drawing { Automatic, OpenGL, Software };

    explicit MpvFrameRenderer(QObject *parent = nullptr);
    ~MpvFrameRenderer() override;

    // Makes the OpenGL context and the core's render context; false with the reason.
    bool start(mpv_handle *handle, Drawing drawing, QString *errorText);
    // The pixel size a view shows its picture at; the texture is drawn large enough
    // for the largest of them, never above the frame's own size.
    void setViewSize(View view, const QSize &pixels);
    // Where each view's picture lies in the decoded frame, in the frame's pixels; an
    // empty rectangle shows nothing.
    void setLayout(const QSize &frameSize, const QRect &mainRect, const QRect &subRect);
    // True when frames are drawn in software into image(), false when into the texture.
    bool isSoftware() const { return m_software != nullptr; }
    // The last frame drawn in software; null before the first one.
    QImage image() const;
    // The texture of the last frame, 0 before the first one.
    unsigned textureId() const;
    // The size of the last frame drawn (image or texture).
    QSize drawnSize() const;
    // The rectangle of the drawn frame a view shows, in its pixels; empty when none.
    QRectF sourceRect(View view) const;

signals:
    void frameReady();

protected:
    void customEvent(QEvent *event) override;

private:
    static void requestRender(void *renderer);
    void render(bool redraw);
    void updateTargetSize();
    int drawFrame();

    QOffscreenSurface m_surface;
    QOpenGLContext m_context;
    std::unique_ptr<QOpenGLFramebufferObject> m_frame;
    std::unique_ptr<MpvSoftwareTarget> m_software;
    std::unique_ptr<MpvRenderContext> m_mpvRender;
    QSize m_targetSize;
    QSize m_frameSize;
    std::array<QRect, 2> m_viewRects;
    std::array<QSize, 2> m_viewSizes;
    bool m_hasFrame = false;
    // The one member libmpv's render thread touches: set when an update is posted to
    // the main thread, cleared when it is served.
    std::atomic_bool m_updatePosted = false;
};
