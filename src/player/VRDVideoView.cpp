#include "player/VRDVideoView.h"

#include "player/MpvFrameRenderer.h"

#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QOpenGLTextureBlitter>

VRDVideoView::VRDVideoView(QWidget *parent)
    : QOpenGLWidget(parent)
{
}

VRDVideoView::~VRDVideoView()
{
    // QOpenGLWidget's destructor destroys the context after this one has run: its
    // aboutToBeDestroyed must not reach releaseBlitter on a half-destroyed view.
    if (QOpenGLContext *glContext = context())
        disconnect(glContext, &QOpenGLContext::aboutToBeDestroyed, this,
                   &VRDVideoView::releaseBlitter);
    releaseBlitter();
}

void VRDVideoView::setFrameSource(MpvFrameRenderer *source, VRDMediaEngine::View view)
{
    if (m_source != nullptr)
        disconnect(m_source, nullptr, this, nullptr);
    m_source = source;
    m_view = view;
    if (source != nullptr) {
        connect(source, &MpvFrameRenderer::frameReady, this, qOverload<>(&QWidget::update));
        source->setViewSize(view, pixelSize());
    }
    update();
}

QSize VRDVideoView::pixelSize() const
{
    return size() * devicePixelRatioF();
}

void VRDVideoView::initializeGL()
{
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &VRDVideoView::releaseBlitter,
            Qt::DirectConnection);
    m_blitter = std::make_unique<QOpenGLTextureBlitter>();
    if (!m_blitter->create()) {
        qInfo("video view: cannot create the texture blitter");
        m_blitter.reset();
    }
}

void VRDVideoView::releaseBlitter()
{
    if (m_blitter == nullptr)
        return;
    makeCurrent();
    m_blitter.reset();
    doneCurrent();
}

void VRDVideoView::resizeGL(int, int)
{
    if (m_source != nullptr)
        m_source->setViewSize(m_view, pixelSize());
}

void VRDVideoView::paintGL()
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
    const QSize fitted = source.size().toSize().scaled(viewport, Qt::KeepAspectRatio);
    const QRect target(QPoint((viewport.width() - fitted.width()) / 2, (viewport.height() - fitted.height()) / 2),
                       fitted);
    m_blitter->bind();
    m_blitter->blit(texture, QOpenGLTextureBlitter::targetTransform(target, QRect(QPoint(0, 0), viewport)),
                    QOpenGLTextureBlitter::sourceTransform(source, m_source->textureSize(),
                                                           QOpenGLTextureBlitter::OriginTopLeft));
    m_blitter->release();
}
