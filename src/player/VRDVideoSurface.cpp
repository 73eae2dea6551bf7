#include "player/VRDVideoSurface.h"

#include "player/MpvFrameRenderer.h"
#include "player/VRDVideoFit.h"

#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QOpenGLTextureBlitter>

VRDVideoSurface::VRDVideoSurface(MpvFrameRenderer *source, VRDMediaEngine::View view, QWidget *parent)
    : QOpenGLWidget(parent)
    , m_source(source)
    , m_view(view)
{
    connect(source, &MpvFrameRenderer::frameReady, this, qOverload<>(&QWidget::update));
}

VRDVideoSurface::~VRDVideoSurface()
{
    // QOpenGLWidget's destructor destroys the context after this one has run: its
    // aboutToBeDestroyed must not reach releaseBlitter on a half-destroyed surface.
    if (QOpenGLContext *glContext = context())
        disconnect(glContext, &QOpenGLContext::aboutToBeDestroyed, this, &VRDVideoSurface::releaseBlitter);
    releaseBlitter();
}

QSize VRDVideoSurface::pixelSize() const
{
    return size() * devicePixelRatioF();
}

void VRDVideoSurface::initializeGL()
{
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &VRDVideoSurface::releaseBlitter,
            Qt::DirectConnection);
    m_blitter = std::make_unique<QOpenGLTextureBlitter>();
    if (!m_blitter->create()) {
        qInfo("video view: cannot create the texture blitter");
        m_blitter.reset();
    }
}

void VRDVideoSurface::releaseBlitter()
{
    if (m_blitter == nullptr)
        return;
    makeCurrent();
    m_blitter.reset();
    doneCurrent();
}

void VRDVideoSurface::resizeGL(int, int)
{
    if (m_source != nullptr)
        m_source->setViewSize(m_view, pixelSize());
}

void VRDVideoSurface::paintGL()
{
    QOpenGLFunctions *gl = context()->functions();
    gl->glClearColor(0, 0, 0, 1);
    gl->glClear(GL_COLOR_BUFFER_BIT);
    if (m_source == nullptr || m_blitter == nullptr)
        return;
    const unsigned texture = m_source->textureId();
    const QRectF source = m_source->sourceRect(m_view);
    if (texture == 0 || source.isEmpty())
        return;
    const QSize viewport = pixelSize();
    const QRect target = VRDVideoFit::fitted(source.size(), viewport);
    m_blitter->bind();
    m_blitter->blit(texture, QOpenGLTextureBlitter::targetTransform(target, QRect(QPoint(0, 0), viewport)),
                    QOpenGLTextureBlitter::sourceTransform(source, m_source->drawnSize(),
                                                           QOpenGLTextureBlitter::OriginTopLeft));
    m_blitter->release();
}
