#include "player/MpvFrameRenderer.h"

#include "player/MpvRenderContext.h"
#include "player/MpvSoftwareTarget.h"

#include <mpv/render_gl.h>

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QMetaObject>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions>

#include <algorithm>
#include <cmath>

namespace {

// Posted to the renderer when libmpv has a frame or a request for the main thread.
constexpr QEvent::Type kUpdateWaiting = QEvent::User;

// Size drawn at until the frame's layout is known.
constexpr QSize kDefaultTargetSize(640, 360);

void *x11Display()
{
    if (auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>())
        return x11->display();
    return nullptr;
}

// Mesa's and others' CPU rasterizers, on which shaders cost far more than libmpv's
// own software scaler.
bool isSoftwareRasterizer(QOpenGLFunctions *gl)
{
    const auto *name = reinterpret_cast<const char *>(gl->glGetString(GL_RENDERER));
    if (name == nullptr)
        return false;
    const QByteArray renderer = QByteArray(name).toLower();
    return renderer.contains("llvmpipe") || renderer.contains("softpipe") || renderer.contains("swrast")
        || renderer.contains("software rasterizer");
}

std::size_t indexOf(VRDMediaEngine::View view)
{
    return static_cast<std::size_t>(view);
}

} // namespace

MpvFrameRenderer::MpvFrameRenderer(QObject *parent)
    : QObject(parent)
    , m_targetSize(kDefaultTargetSize)
{
}

MpvFrameRenderer::~MpvFrameRenderer()
{
    if (!m_context.isValid())
        return;
    const bool current = m_context.makeCurrent(&m_surface);
    m_mpvRender.reset();
    m_frame.reset();
    if (current)
        m_context.doneCurrent();
}

bool MpvFrameRenderer::start(mpv_handle *handle, Drawing drawing, QString *errorText)
{
    QOpenGLContext *shared = QOpenGLContext::globalShareContext();
    if (shared == nullptr) {
        *errorText = QStringLiteral("no shared OpenGL context (Qt::AA_ShareOpenGLContexts unset)");
        return false;
    }
    m_surface.setFormat(shared->format());
    m_surface.create();
    m_context.setFormat(shared->format());
    m_context.setShareContext(shared);
    if (!m_context.create() || !m_context.makeCurrent(&m_surface)) {
        *errorText = QStringLiteral("cannot create an OpenGL context");
        return false;
    }
    const bool software = drawing == Drawing::Software
        || (drawing == Drawing::Automatic && isSoftwareRasterizer(m_context.functions()));
    if (software) {
        m_software = std::make_unique<MpvSoftwareTarget>();
        m_mpvRender = MpvRenderContext::createSoftware(handle, &MpvFrameRenderer::requestRender, this, errorText);
    } else {
        m_mpvRender = MpvRenderContext::create(handle, x11Display(), &MpvFrameRenderer::requestRender,
                                               this, errorText);
    }
    m_context.doneCurrent();
    return m_mpvRender != nullptr;
}

void MpvFrameRenderer::requestRender(void *renderer)
{
    // Called on a libmpv thread: it touches nothing but the flag, and hands the drawing
    // to the main thread unless an update already waits there.
    auto *target = static_cast<MpvFrameRenderer *>(renderer);
    if (!target->m_updatePosted.exchange(true))
        QCoreApplication::postEvent(target, new QEvent(kUpdateWaiting));
}

void MpvFrameRenderer::customEvent(QEvent *event)
{
    if (event->type() != kUpdateWaiting) {
        QObject::customEvent(event);
        return;
    }
    // Cleared before the update is read: a frame that comes in meanwhile posts again.
    m_updatePosted = false;
    render(false);
}

void MpvFrameRenderer::setViewSize(View view, const QSize &pixels)
{
    if (pixels.isEmpty() || m_viewSizes[indexOf(view)] == pixels)
        return;
    m_viewSizes[indexOf(view)] = pixels;
    updateTargetSize();
}

void MpvFrameRenderer::setLayout(const QSize &frameSize, const QRect &mainRect, const QRect &subRect)
{
    m_frameSize = frameSize;
    m_viewRects = {mainRect, subRect};
    updateTargetSize();
    emit frameReady();
}

void MpvFrameRenderer::updateTargetSize()
{
    QSize target = kDefaultTargetSize;
    if (!m_frameSize.isEmpty()) {
        // Drawn so that the view that needs the most pixels gets about one texture
        // pixel per screen pixel; the other view is scaled down by the blit.
        double scale = 0.0;
        for (std::size_t view = 0; view < m_viewRects.size(); ++view) {
            const QRect &rect = m_viewRects[view];
            const QSize &pixels = m_viewSizes[view];
            if (rect.isEmpty() || pixels.isEmpty())
                continue;
            scale = std::max(scale, std::min(static_cast<double>(pixels.width()) / rect.width(),
                                             static_cast<double>(pixels.height()) / rect.height()));
        }
        if (scale <= 0.0)
            scale = 1.0;
        scale = std::min(scale, 1.0);
        target = QSize(std::max(2, static_cast<int>(std::lround(m_frameSize.width() * scale))),
                       std::max(2, static_cast<int>(std::lround(m_frameSize.height() * scale))));
    }
    if (target == m_targetSize)
        return;
    m_targetSize = target;
    // Queued: the caller may be a view with its own OpenGL context current.
    QMetaObject::invokeMethod(this, [this] { render(true); }, Qt::QueuedConnection);
}

QImage MpvFrameRenderer::image() const
{
    return m_hasFrame && m_software != nullptr ? m_software->image() : QImage();
}

unsigned MpvFrameRenderer::textureId() const
{
    return m_hasFrame && m_frame != nullptr ? m_frame->texture() : 0;
}

QSize MpvFrameRenderer::drawnSize() const
{
    if (m_software != nullptr)
        return m_software->image().size();
    return m_frame != nullptr ? m_frame->size() : QSize();
}

QRectF MpvFrameRenderer::sourceRect(View view) const
{
    const QRect &rect = m_viewRects[indexOf(view)];
    const QSize drawn = drawnSize();
    if (rect.isEmpty() || m_frameSize.isEmpty() || drawn.isEmpty())
        return {};
    const double sx = static_cast<double>(drawn.width()) / m_frameSize.width();
    const double sy = static_cast<double>(drawn.height()) / m_frameSize.height();
    return {rect.x() * sx, rect.y() * sy, rect.width() * sx, rect.height() * sy};
}

void MpvFrameRenderer::render(bool redraw)
{
    if (m_mpvRender == nullptr || !m_context.makeCurrent(&m_surface))
        return;
    // The update also serves requests the core queued for this thread (screenshots).
    const uint64_t flags = mpv_render_context_update(m_mpvRender->get());
    const bool draw = (flags & MPV_RENDER_UPDATE_FRAME) != 0 || (redraw && m_hasFrame);
    if (draw) {
        const int result = drawFrame();
        if (result < 0)
            qInfo("mpv render failed: %s", mpv_error_string(result));
        // The views read the texture from their own contexts.
        m_context.functions()->glFlush();
        m_hasFrame = result >= 0;
    }
    m_context.doneCurrent();
    if (draw)
        emit frameReady();
}

int MpvFrameRenderer::drawFrame()
{
    if (m_software != nullptr)
        return m_software->render(m_mpvRender->get(), m_targetSize);
    if (m_frame == nullptr || m_frame->size() != m_targetSize)
        m_frame = std::make_unique<QOpenGLFramebufferObject>(m_targetSize);
    mpv_opengl_fbo fbo{static_cast<int>(m_frame->handle()), m_targetSize.width(), m_targetSize.height(), 0};
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_OPENGL_FBO, &fbo},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    return mpv_render_context_render(m_mpvRender->get(), params);
}
