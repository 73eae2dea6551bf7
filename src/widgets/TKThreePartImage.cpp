#include "widgets/TKThreePartImage.h"

#include <QPainter>

TKThreePartImage::TKThreePartImage(TKImage left, TKImage middle, TKImage right)
    : m_left(std::move(left)), m_middle(std::move(middle)), m_right(std::move(right))
{
}

TKThreePartImage TKThreePartImage::named(const QString &left, const QString &middle, const QString &right)
{
    return TKThreePartImage(TKImage::named(left), TKImage::named(middle), TKImage::named(right));
}

std::array<QRectF, 3> TKThreePartImage::layout(const QRectF &frame, qreal leftWidth, qreal rightWidth)
{
    const qreal ends = leftWidth + rightWidth;
    if (ends > frame.width() && ends > 0) {
        leftWidth = frame.width() * leftWidth / ends;
        rightWidth = frame.width() - leftWidth;
    }
    const QRectF left(frame.left(), frame.top(), leftWidth, frame.height());
    const QRectF right(frame.right() - rightWidth, frame.top(), rightWidth, frame.height());
    const QRectF middle(left.right(), frame.top(), right.left() - left.right(), frame.height());
    return {left, middle, right};
}

void TKThreePartImage::draw(QPainter &painter, const QRectF &frame) const
{
    const auto parts = layout(frame, m_left.size().width(), m_right.size().width());
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setOpacity(1.0);
    m_left.draw(painter, parts[0]);
    m_middle.draw(painter, parts[1]);
    m_right.draw(painter, parts[2]);
    painter.restore();
}
