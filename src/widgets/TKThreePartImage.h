#pragma once

#include "widgets/TKImage.h"

#include <QRectF>
#include <array>

// A horizontal strip drawn from a left end, a stretched middle and a right end.
// The ends keep their own width and take the strip's height.
class TKThreePartImage
{
public:
    TKThreePartImage() = default;
    TKThreePartImage(TKImage left, TKImage middle, TKImage right);
    // The three pictures of those names.
    static TKThreePartImage named(const QString &left, const QString &middle, const QString &right);

    const TKImage &left() const { return m_left; }
    const TKImage &middle() const { return m_middle; }
    const TKImage &right() const { return m_right; }

    // Where the left end, the middle and the right end go in frame. When the frame is
    // narrower than both ends, the ends share it in proportion to their widths.
    static std::array<QRectF, 3> layout(const QRectF &frame, qreal leftWidth, qreal rightWidth);
    void draw(QPainter &painter, const QRectF &frame) const;

private:
    TKImage m_left;
    TKImage m_middle;
    TKImage m_right;
};
