#include "widgets/TKImageButton.h"

#include <QEnterEvent>
#include <QPainter>

TKImageButton::TKImageButton(QWidget *parent) : QPushButton(parent)
{
    setFlat(true);
    setText(QString());
    setFocusPolicy(Qt::TabFocus);
}

TKImageButton::TKImageButton(const QString &imageName, QWidget *parent) : TKImageButton(parent)
{
    setImageName(imageName);
}

void TKImageButton::setImageName(const QString &imageName)
{
    m_image = TKImage::named(imageName);
    setFlat(true);
    setText(QString());
    m_rolloverImage = buttonImageNameWithSuffix(QStringLiteral("_f"));
    setPressedImage(buttonImageNameWithSuffix(QStringLiteral("_p")));
    m_activeImage = m_image;
    m_inactiveImage = m_image;
    // A play button that turns into a pause button under the pointer keeps its roll-over look.
    updateRollOverImage();
    updateGeometry();
}

QString TKImageButton::imageName() const
{
    return m_image.name();
}

TKImage TKImageButton::buttonImageNameWithSuffix(const QString &suffix) const
{
    const QString name = m_image.name();
    if (name.size() < 2)
        return {};
    return TKImage::named(name.left(name.size() - 2) + suffix);
}

void TKImageButton::setPressedImage(const TKImage &image)
{
    m_pressedImage = image;
    update();
}

TKImage TKImageButton::displayedImage() const
{
    if (isDown() && !m_pressedImage.isNull())
        return m_pressedImage;
    return m_image;
}

void TKImageButton::setNumberOfCaptures(qint64 captures)
{
    if (captures >= 0)
        m_numberOfCaptures = captures;
}

void TKImageButton::resetMouseCaptures()
{
    m_numberOfCaptures = 0;
}

bool TKImageButton::shouldDisplayRollOver() const
{
    return m_numberOfCaptures > 0;
}

QRect TKImageButton::mouseTrackingArea() const
{
    return imageRect().adjusted(-kTrackingMargin, -kTrackingMargin, kTrackingMargin, kTrackingMargin)
        .intersected(rect());
}

void TKImageButton::didCaptureMousePointer()
{
    setNumberOfCaptures(m_numberOfCaptures + 1);
}

void TKImageButton::didReleaseMousePointer()
{
    setNumberOfCaptures(m_numberOfCaptures - 1);
}

void TKImageButton::updateRollOverImage()
{
    if (shouldDisplayRollOver() && isEnabled() && !m_rolloverImage.isNull())
        showImage(m_rolloverImage);
    else
        updateImage();
}

void TKImageButton::updateImage()
{
    showImage(isEnabled() ? m_activeImage : m_inactiveImage);
}

void TKImageButton::showImage(const TKImage &image)
{
    m_image = image;
    update();
}

void TKImageButton::enterEvent(QEnterEvent *event)
{
    QPushButton::enterEvent(event);
    didCaptureMousePointer();
    updateRollOverImage();
}

void TKImageButton::leaveEvent(QEvent *event)
{
    QPushButton::leaveEvent(event);
    didReleaseMousePointer();
    updateRollOverImage();
}

void TKImageButton::changeEvent(QEvent *event)
{
    QPushButton::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        updateImage();
}

QSize TKImageButton::sizeHint() const
{
    const QSize picture = m_activeImage.isNull() ? QSize(0, 0) : m_activeImage.size();
    return picture + QSize(2 * kTrackingMargin, 2 * kTrackingMargin);
}

QSize TKImageButton::minimumSizeHint() const
{
    return m_activeImage.isNull() ? QSize(0, 0) : m_activeImage.size();
}

QRect TKImageButton::imageRect() const
{
    const TKImage shown = m_activeImage.isNull() ? m_image : m_activeImage;
    const QSize picture = shown.isNull() ? size() : shown.size();
    return QRect(QPoint((width() - picture.width()) / 2, (height() - picture.height()) / 2), picture);
}

bool TKImageButton::hitButton(const QPoint &position) const
{
    return imageRect().contains(position);
}

void TKImageButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const TKImage shown = displayedImage();
    const QRect target = imageRect();
    shown.draw(painter, QRectF(target.topLeft(), QSizeF(shown.size())));
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(target).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    }
}
