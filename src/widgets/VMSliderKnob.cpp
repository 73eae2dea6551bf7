#include "widgets/VMSliderKnob.h"

#include <QPainter>

VMSliderKnob::VMSliderKnob(const QString &name, TKImage image, QWidget *parent)
    : QWidget(parent)
    , m_image(std::move(image))
{
    setObjectName(name);
    setAccessibleName(name);
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFixedSize(kWidth, kHeight);
}

QSize VMSliderKnob::sizeHint() const
{
    return {kWidth, kHeight};
}

void VMSliderKnob::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (m_image.isNull()) {
        painter.setPen(palette().color(QPalette::Shadow));
        painter.setBrush(palette().color(QPalette::WindowText));
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    } else {
        m_image.draw(painter, rect());
    }
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 3, 3);
    }
}
