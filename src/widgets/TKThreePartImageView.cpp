#include "widgets/TKThreePartImageView.h"

#include <QPainter>

TKThreePartImageView::TKThreePartImageView(QWidget *parent) : QWidget(parent)
{
}

void TKThreePartImageView::setImagesLeft(const TKImage &left, const TKImage &middle, const TKImage &right)
{
    m_images = TKThreePartImage(left, middle, right);
    update();
}

void TKThreePartImageView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    m_images.draw(painter, rect());
}
