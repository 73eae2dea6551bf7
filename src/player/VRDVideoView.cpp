#include "player/VRDVideoView.h"

#include "player/MpvFrameRenderer.h"
#include "player/VRDVideoFit.h"
#include "player/VRDVideoSurface.h"

#include <QPainter>
#include <QVBoxLayout>

VRDVideoView::VRDVideoView(QWidget *parent)
    : QWidget(parent)
{
    // Every pixel is painted: the frame, or black around and without it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

void VRDVideoView::setFrameSource(MpvFrameRenderer *source, VRDMediaEngine::View view)
{
    if (m_source != nullptr)
        disconnect(m_source, nullptr, this, nullptr);
    delete m_surface;
    m_surface = nullptr;
    m_source = source;
    m_view = view;
    if (source != nullptr) {
        if (source->isSoftware()) {
            connect(source, &MpvFrameRenderer::frameReady, this, qOverload<>(&QWidget::update));
        } else {
            m_surface = new VRDVideoSurface(source, view, this);
            layout()->addWidget(m_surface);
        }
        source->setViewSize(view, pixelSize());
    }
    update();
}

QSize VRDVideoView::pixelSize() const
{
    return size() * devicePixelRatioF();
}

QImage VRDVideoView::grabPicture()
{
    if (m_surface != nullptr)
        return m_surface->grabFramebuffer();
    return grab().toImage();
}

void VRDVideoView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_source != nullptr && m_surface == nullptr)
        m_source->setViewSize(m_view, pixelSize());
}

void VRDVideoView::paintEvent(QPaintEvent *)
{
    if (m_surface != nullptr)
        return;
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (m_source == nullptr)
        return;
    const QImage frame = m_source->image();
    const QRectF source = m_source->sourceRect(m_view);
    if (frame.isNull() || source.isEmpty())
        return;
    const QRect target = VRDVideoFit::fitted(source.size(), pixelSize());
    const qreal ratio = devicePixelRatioF();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(target.topLeft() / ratio, target.size() / ratio), frame, source);
}
