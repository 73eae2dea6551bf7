#pragma once

#include "widgets/TKImage.h"

#include <QWidget>

// The knob of one slider handle. It takes keyboard focus (so the arrow keys
// can move its handle) and carries the handle's name for accessibility; the
// slider itself handles the mouse.
class VMSliderKnob : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kWidth = 13;
    static constexpr int kHeight = 17;

    VMSliderKnob(const QString &name, TKImage image, QWidget *parent);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    TKImage m_image;
};
