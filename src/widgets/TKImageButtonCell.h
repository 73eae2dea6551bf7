#pragma once

#include "widgets/TKThreePartImage.h"

#include <QPushButton>

// A text button on a three-part bezel. A button whose state is on (checked) sits
// on the raised "bg_bt_info" bezel; one whose state is off on the "_pressed" bezel,
// which is also drawn over it while the button is held down.
class TKImageButtonCell : public QPushButton
{
    Q_OBJECT

public:
    explicit TKImageButtonCell(QWidget *parent = nullptr);
    explicit TKImageButtonCell(const QString &text, QWidget *parent = nullptr);

    static TKThreePartImage bezel(bool stateOn);
    void drawBezelWithFrame(QPainter &painter, const QRectF &frame) const;
    void highlight(bool highlighted, QPainter &painter, const QRectF &frame) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};
