#pragma once

#include <QTime>
#include <QWidget>

// A time of day chosen on an analogue clock face: drag the minute hand in the
// outer ring, the hour hand inside it, click "AM"/"PM" to change the half of
// the day. The keyboard works too: Up/Down step minutes, Page Up/Page Down
// hours. timeChanged reports the user's changes only, never setTime's.
class TKClockFaceTimePicker : public QWidget
{
    Q_OBJECT

public:
    explicit TKClockFaceTimePicker(QWidget *parent = nullptr);

    QTime time() const { return m_time; }
    void setTime(const QTime &time);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // The time a press or drag at point (in widget coordinates) picks, or
    // an invalid time when the point misses the face.
    QTime timeAtPoint(const QPointF &point) const;

signals:
    void timeChanged(const QTime &time);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    enum class Hand { None, Hour, Minute };

    QPointF centre() const;
    double radius() const;
    QRectF halfOfDayRect() const;
    Hand handForPoint(const QPointF &point) const;
    QTime timeForHand(Hand hand, const QPointF &point) const;
    void changeByUser(const QTime &time);

    QTime m_time{0, 0, 0};
    Hand m_draggedHand = Hand::None;
};
