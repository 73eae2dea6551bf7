#include "widgets/TKImageButtonCell.h"

#include <QPainter>

namespace {
const QColor kTitleColour(0xe4, 0xe6, 0xea);
const QColor kDisabledTitleColour(0x7a, 0x7f, 0x88);
} // namespace

TKImageButtonCell::TKImageButtonCell(QWidget *parent) : QPushButton(parent)
{
    setFlat(true);
}

TKImageButtonCell::TKImageButtonCell(const QString &text, QWidget *parent) : TKImageButtonCell(parent)
{
    setText(text);
}

TKThreePartImage TKImageButtonCell::bezel(bool stateOn)
{
    if (stateOn)
        return TKThreePartImage::named("bg_bt_info_left.png", "bg_bt_info_center.png", "bg_bt_info_right.png");
    return TKThreePartImage::named("bg_bt_info_left_pressed.png", "bg_bt_info_center_pressed.png",
                                   "bg_bt_info_right_pressed.png");
}

void TKImageButtonCell::drawBezelWithFrame(QPainter &painter, const QRectF &frame) const
{
    bezel(isChecked()).draw(painter, frame);
}

void TKImageButtonCell::highlight(bool highlighted, QPainter &painter, const QRectF &frame) const
{
    if (highlighted)
        bezel(false).draw(painter, frame);
}

QSize TKImageButtonCell::sizeHint() const
{
    const QSize text = fontMetrics().size(Qt::TextSingleLine, this->text());
    return QSize(text.width() + 20, 24);
}

void TKImageButtonCell::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = rect();
    drawBezelWithFrame(painter, frame);
    highlight(isDown(), painter, frame);
    painter.setPen(isEnabled() ? kTitleColour : kDisabledTitleColour);
    painter.drawText(rect().translated(0, isDown() ? 1 : 0), Qt::AlignCenter, text());
}
