#pragma once

#include "widgets/TKThreePartImage.h"

#include <QWidget>

// A view filled edge to edge with a three-part picture (the full-screen control strip).
class TKThreePartImageView : public QWidget
{
    Q_OBJECT

public:
    explicit TKThreePartImageView(QWidget *parent = nullptr);

    void setImagesLeft(const TKImage &left, const TKImage &middle, const TKImage &right);
    const TKImage &left_img() const { return m_images.left(); }
    const TKImage &middle_img() const { return m_images.middle(); }
    const TKImage &right_img() const { return m_images.right(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    TKThreePartImage m_images;
};
