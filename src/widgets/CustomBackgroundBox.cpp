#include "widgets/CustomBackgroundBox.h"

#include <QPaintEvent>
#include <QPainter>

const QColor CustomBackgroundBox::kFillColour = QColor::fromRgbF(0.416f, 0.373f, 0.357f, 1.0f);

CustomBackgroundBox::CustomBackgroundBox(QWidget *parent) : QFrame(parent)
{
}

void CustomBackgroundBox::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.fillRect(event->rect(), kFillColour);
}
