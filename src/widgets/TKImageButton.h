#pragma once

#include "widgets/TKImage.h"

#include <QPushButton>

// A borderless button drawn from pictures. Its image name ends in "_n" (normal);
// the same name with "_f" is the roll-over picture and with "_p" the pressed one,
// e.g. "icon_play_n" gives icon_play_f and icon_play_p.
//
// The widget keeps a margin of kTrackingMargin points around its picture: the
// pointer counts as over the button 4 points before it reaches the picture, while
// clicks only hit the picture itself.
class TKImageButton : public QPushButton
{
    Q_OBJECT
    Q_PROPERTY(QString imageName READ imageName WRITE setImageName)

public:
    static constexpr int kTrackingMargin = 4;

    explicit TKImageButton(QWidget *parent = nullptr);
    explicit TKImageButton(const QString &imageName, QWidget *parent = nullptr);

    // Makes the named picture the button's image and derives the other three from it.
    void setImageName(const QString &imageName);
    QString imageName() const;
    // The picture named like the current image with its state suffix replaced;
    // a null image when there is no such picture.
    TKImage buttonImageNameWithSuffix(const QString &suffix) const;

    TKImage activeImage() const { return m_activeImage; }
    void setActiveImage(const TKImage &image) { m_activeImage = image; }
    TKImage inactiveImage() const { return m_inactiveImage; }
    void setInactiveImage(const TKImage &image) { m_inactiveImage = image; }
    TKImage rolloverImage() const { return m_rolloverImage; }
    void setRolloverImage(const TKImage &image) { m_rolloverImage = image; }
    TKImage pressedImage() const { return m_pressedImage; }
    void setPressedImage(const TKImage &image);

    // The button's current image, and what is painted now (the pressed picture while held down).
    TKImage image() const { return m_image; }
    TKImage displayedImage() const;

    qint64 numberOfCaptures() const { return m_numberOfCaptures; }
    void setNumberOfCaptures(qint64 captures);
    void resetMouseCaptures();
    bool shouldDisplayRollOver() const;
    // The area that reports the pointer entering and leaving: the picture grown by the margin.
    QRect mouseTrackingArea() const;

    void updateRollOverImage();
    void updateImage();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &position) const override;

private:
    void didCaptureMousePointer();
    void didReleaseMousePointer();
    void showImage(const TKImage &image);
    QRect imageRect() const;

    TKImage m_image;
    TKImage m_activeImage;
    TKImage m_inactiveImage;
    TKImage m_rolloverImage;
    TKImage m_pressedImage;
    qint64 m_numberOfCaptures = 0;
};
