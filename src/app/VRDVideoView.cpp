#include "app/VRDVideoView.h"

#include "app/MpvRenderContext.h"

#include <mpv/render_gl.h>

#include <QGuiApplication>
#include <QMetaObject>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QtDebug>

namespace {

// Called on a libmpv thread: only hand the repaint to the main thread.
void requestRepaint(void *view)
{
    auto *target = static_cast<VRDVideoView *>(view);
    QMetaObject::invokeMethod(target, [target] { target->update(); }, Qt::QueuedConnection);
}

void *x11Display()
{
    if (auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>())
        return x11->display();
    return nullptr;
}

} // namespace

VRDVideoView::VRDVideoView(QWidget *parent)
    : QOpenGLWidget(parent)
{
    connect(this, &QOpenGLWidget::frameSwapped, this, &VRDVideoView::reportSwap);
}

VRDVideoView::~VRDVideoView()
{
    releaseRenderContext();
}

void VRDVideoView::attachMpv(mpv_handle *handle)
{
    releaseRenderContext();
    m_mpv = handle;
    if (context() != nullptr) {
        makeCurrent();
        createRenderContext();
        doneCurrent();
    }
}

void VRDVideoView::detachMpv()
{
    releaseRenderContext();
    m_mpv = nullptr;
}

void VRDVideoView::initializeGL()
{
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this,
            &VRDVideoView::releaseRenderContext, Qt::DirectConnection);
    createRenderContext();
}

void VRDVideoView::createRenderContext()
{
    if (m_mpv == nullptr || m_renderContext != nullptr)
        return;
    QString errorText;
    m_renderContext = MpvRenderContext::create(m_mpv, x11Display(), &requestRepaint, this,
                                               &errorText);
    if (m_renderContext == nullptr) {
        qInfo("mpv render context creation failed: %s", qPrintable(errorText));
        emit renderContextFailed(errorText);
        return;
    }
    emit renderContextReady();
}

void VRDVideoView::releaseRenderContext()
{
    if (m_renderContext == nullptr)
        return;
    const bool haveContext = context() != nullptr;
    if (haveContext)
        makeCurrent();
    m_renderContext.reset();
    if (haveContext)
        doneCurrent();
    emit renderContextLost();
}

void VRDVideoView::paintGL()
{
    if (m_renderContext == nullptr) {
        QOpenGLFunctions *gl = context()->functions();
        gl->glClearColor(0, 0, 0, 1);
        gl->glClear(GL_COLOR_BUFFER_BIT);
        return;
    }
    const qreal ratio = devicePixelRatioF();
    mpv_opengl_fbo fbo{static_cast<int>(defaultFramebufferObject()),
                       static_cast<int>(width() * ratio), static_cast<int>(height() * ratio), 0};
    int flipY = 1;
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_OPENGL_FBO, &fbo},
        {MPV_RENDER_PARAM_FLIP_Y, &flipY},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    const int result = mpv_render_context_render(m_renderContext->get(), params);
    if (result < 0)
        qInfo("mpv render failed: %s", mpv_error_string(result));
}

void VRDVideoView::reportSwap()
{
    if (m_renderContext != nullptr)
        mpv_render_context_report_swap(m_renderContext->get());
}
