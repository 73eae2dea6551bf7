#pragma once

#include "widgets/TKImage.h"

#include <QWidget>

// The picture behind a video: a nine-part frame stretched over the view and a
// logo centred on it at its own size.
class TKVideoBackgroundImageView : public QWidget
{
    Q_OBJECT

public:
    explicit TKVideoBackgroundImageView(QWidget *parent = nullptr);

    // Loads "<base>_top_left_corner" … "<base>_center_fill".
    void setBackgroundNineImageName(const QString &baseName);
    void setLogoImage(const TKImage &logo);

    const TKImage &topLeftConerImage() const { return m_topLeftConerImage; }
    const TKImage &centerLogoImage() const { return m_centerLogoImage; }
    // Where the logo goes: centred, overflowing equally when larger.
    QRectF logoRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    TKImage m_topLeftConerImage;
    TKImage m_topRightConerImage;
    TKImage m_bottomLeftConerImage;
    TKImage m_bottomRightConerImage;
    TKImage m_leftEdgeFillImage;
    TKImage m_rightEdgeFillImage;
    TKImage m_topEdgeFillImage;
    TKImage m_bottomEdgeFillImage;
    TKImage m_centerFillImage;
    TKImage m_centerLogoImage;
};
