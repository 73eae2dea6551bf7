#include "viewer/TKVideoBackgroundImageView.h"

#include <QPainter>

TKVideoBackgroundImageView::TKVideoBackgroundImageView(QWidget *parent) : QWidget(parent)
{
}

void TKVideoBackgroundImageView::setBackgroundNineImageName(const QString &baseName)
{
    const auto part = [&baseName](const char *suffix) {
        return TKImage::named(baseName + QLatin1String(suffix));
    };
    m_topLeftConerImage = part("_top_left_corner");
    m_topRightConerImage = part("_top_right_corner");
    m_bottomLeftConerImage = part("_bottom_left_corner");
    m_bottomRightConerImage = part("_bottom_right_corner");
    m_leftEdgeFillImage = part("_left_edge_fill");
    m_rightEdgeFillImage = part("_right_edge_fill");
    m_topEdgeFillImage = part("_top_edge_fill");
    m_bottomEdgeFillImage = part("_bottom_edge_fill");
    m_centerFillImage = part("_center_fill");
    update();
}

void TKVideoBackgroundImageView::setLogoImage(const TKImage &logo)
{
    m_centerLogoImage = logo;
    update();
}

QRectF TKVideoBackgroundImageView::logoRect() const
{
    const QSizeF logo = m_centerLogoImage.size();
    return {(width() - logo.width()) * 0.5, (height() - logo.height()) * 0.5, logo.width(),
            logo.height()};
}

void TKVideoBackgroundImageView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QSizeF topLeft = m_topLeftConerImage.size();
    const QSizeF bottomRight = m_bottomRightConerImage.size();
    const double left = topLeft.width();
    const double top = topLeft.height();
    const double right = bottomRight.width();
    const double bottom = bottomRight.height();
    const double w = width();
    const double h = height();
    const double middleWidth = std::max(0.0, w - left - right);
    const double middleHeight = std::max(0.0, h - top - bottom);

    // Corners at their own size, edges and centre stretched between them.
    m_centerFillImage.draw(painter, QRectF(left, top, middleWidth, middleHeight));
    m_topEdgeFillImage.draw(painter, QRectF(left, 0, middleWidth, top));
    m_bottomEdgeFillImage.draw(painter, QRectF(left, h - bottom, middleWidth, bottom));
    m_leftEdgeFillImage.draw(painter, QRectF(0, top, left, middleHeight));
    m_rightEdgeFillImage.draw(painter, QRectF(w - right, top, right, middleHeight));
    m_topLeftConerImage.draw(painter, QRectF(0, 0, left, top));
    m_topRightConerImage.draw(painter, QRectF(w - right, 0, right, top));
    m_bottomLeftConerImage.draw(painter, QRectF(0, h - bottom, left, bottom));
    m_bottomRightConerImage.draw(painter, QRectF(w - right, h - bottom, right, bottom));

    if (!m_centerLogoImage.isNull())
        m_centerLogoImage.draw(painter, logoRect());
}
