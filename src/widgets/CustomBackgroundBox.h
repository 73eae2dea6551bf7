#pragma once

#include "widgets/TKImage.h"

#include <QFrame>

// A box that shows as a plain brown-grey area. Its background image is kept for
// whoever sets it; the drawing does not use it.
class CustomBackgroundBox : public QFrame
{
    Q_OBJECT

public:
    static const QColor kFillColour;

    explicit CustomBackgroundBox(QWidget *parent = nullptr);

    TKImage backgroundImage() const { return m_backgroundImage; }
    void setBackgroundImage(const TKImage &image) { m_backgroundImage = image; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    TKImage m_backgroundImage;
};
