#include "widgets/TKClockFaceTimePicker.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>

#include <cmath>
#include <numbers>

namespace {

constexpr double kFullTurn = 2.0 * std::numbers::pi;
// Inside this share of the radius a drag moves the hour hand, outside it the minute hand.
constexpr double kHourRingShare = 0.55;
// Presses this close to the centre pick no hand: the angle is meaningless there.
constexpr double kDeadCentreShare = 0.12;

// Clockwise angle from twelve o'clock, 0 to 2π.
double clockAngle(const QPointF &offset)
{
    const double angle = std::atan2(offset.x(), -offset.y());
    return angle < 0 ? angle + kFullTurn : angle;
}

QPointF pointOnFace(const QPointF &centre, double radius, double angle)
{
    return centre + QPointF(std::sin(angle) * radius, -std::cos(angle) * radius);
}

} // namespace

TKClockFaceTimePicker::TKClockFaceTimePicker(QWidget *parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void TKClockFaceTimePicker::setTime(const QTime &time)
{
    if (!time.isValid() || time == m_time)
        return;
    m_time = time;
    update();
}

QSize TKClockFaceTimePicker::sizeHint() const
{
    return {160, 160};
}

QSize TKClockFaceTimePicker::minimumSizeHint() const
{
    return {120, 120};
}

QPointF TKClockFaceTimePicker::centre() const
{
    return QRectF(rect()).center();
}

double TKClockFaceTimePicker::radius() const
{
    return std::min(width(), height()) / 2.0 - 4.0;
}

QRectF TKClockFaceTimePicker::halfOfDayRect() const
{
    const double r = radius();
    const QSizeF size(r * 0.5, r * 0.24);
    const QPointF middle = centre() + QPointF(0, r * 0.38);
    return {middle - QPointF(size.width() / 2, size.height() / 2), size};
}

TKClockFaceTimePicker::Hand TKClockFaceTimePicker::handForPoint(const QPointF &point) const
{
    const QPointF offset = point - centre();
    const double distance = std::hypot(offset.x(), offset.y());
    const double r = radius();
    if (distance > r || distance < r * kDeadCentreShare)
        return Hand::None;
    return distance >= r * kHourRingShare ? Hand::Minute : Hand::Hour;
}

QTime TKClockFaceTimePicker::timeForHand(Hand hand, const QPointF &point) const
{
    const double angle = clockAngle(point - centre());
    if (hand == Hand::Minute) {
        const int minute = static_cast<int>(std::lround(angle / kFullTurn * 60.0)) % 60;
        return {m_time.hour(), minute, m_time.second()};
    }
    if (hand == Hand::Hour) {
        const int hourOfHalf = static_cast<int>(std::lround(angle / kFullTurn * 12.0)) % 12;
        const int afternoon = m_time.hour() >= 12 ? 12 : 0;
        return {hourOfHalf + afternoon, m_time.minute(), m_time.second()};
    }
    return {};
}

QTime TKClockFaceTimePicker::timeAtPoint(const QPointF &point) const
{
    if (halfOfDayRect().contains(point))
        return m_time.addSecs(12 * 3600);
    return timeForHand(handForPoint(point), point);
}

void TKClockFaceTimePicker::changeByUser(const QTime &time)
{
    if (!time.isValid() || time == m_time)
        return;
    m_time = time;
    update();
    emit timeChanged(m_time);
}

void TKClockFaceTimePicker::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPointF point = event->position();
    if (halfOfDayRect().contains(point)) {
        changeByUser(m_time.addSecs(12 * 3600));
        return;
    }
    m_draggedHand = handForPoint(point);
    changeByUser(timeForHand(m_draggedHand, point));
}

void TKClockFaceTimePicker::mouseMoveEvent(QMouseEvent *event)
{
    // A drag keeps the hand it started with, even when it strays across the rings.
    if (m_draggedHand != Hand::None)
        changeByUser(timeForHand(m_draggedHand, event->position()));
}

void TKClockFaceTimePicker::mouseReleaseEvent(QMouseEvent *event)
{
    Q_UNUSED(event);
    m_draggedHand = Hand::None;
}

void TKClockFaceTimePicker::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Right:
        changeByUser(m_time.addSecs(60));
        break;
    case Qt::Key_Down:
    case Qt::Key_Left:
        changeByUser(m_time.addSecs(-60));
        break;
    case Qt::Key_PageUp:
        changeByUser(m_time.addSecs(3600));
        break;
    case Qt::Key_PageDown:
        changeByUser(m_time.addSecs(-3600));
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void TKClockFaceTimePicker::wheelEvent(QWheelEvent *event)
{
    const int steps = event->angleDelta().y() / 120;
    if (steps == 0) {
        event->ignore();
        return;
    }
    changeByUser(m_time.addSecs(60 * steps));
}

void TKClockFaceTimePicker::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF c = centre();
    const double r = radius();
    const QPalette &colours = palette();

    painter.setPen(QPen(colours.color(QPalette::Mid), 1.5));
    painter.setBrush(colours.color(QPalette::Base));
    painter.drawEllipse(c, r, r);

    for (int tick = 0; tick < 60; ++tick) {
        const bool hourTick = tick % 5 == 0;
        const double angle = tick / 60.0 * kFullTurn;
        painter.setPen(QPen(colours.color(hourTick ? QPalette::Text : QPalette::Mid), hourTick ? 2.0 : 1.0));
        painter.drawLine(pointOnFace(c, r * (hourTick ? 0.86 : 0.91), angle), pointOnFace(c, r * 0.96, angle));
    }

    QFont numberFont = font();
    numberFont.setPointSizeF(std::max(6.0, r * 0.13));
    painter.setFont(numberFont);
    painter.setPen(colours.color(QPalette::Text));
    for (int hour = 1; hour <= 12; ++hour) {
        const QPointF at = pointOnFace(c, r * 0.72, hour / 12.0 * kFullTurn);
        painter.drawText(QRectF(at - QPointF(r * 0.15, r * 0.12), QSizeF(r * 0.3, r * 0.24)), Qt::AlignCenter,
                         QString::number(hour));
    }

    QFont halfFont = numberFont;
    halfFont.setPointSizeF(std::max(6.0, r * 0.11));
    painter.setFont(halfFont);
    painter.setPen(colours.color(QPalette::Highlight));
    painter.drawText(halfOfDayRect(), Qt::AlignCenter, m_time.hour() >= 12 ? QStringLiteral("PM")
                                                                           : QStringLiteral("AM"));

    const double seconds = m_time.second();
    const double minutes = m_time.minute() + seconds / 60.0;
    const double hours = (m_time.hour() % 12) + minutes / 60.0;
    painter.setPen(QPen(colours.color(QPalette::Text), std::max(2.0, r * 0.05), Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(c, pointOnFace(c, r * kHourRingShare * 0.9, hours / 12.0 * kFullTurn));
    painter.setPen(QPen(colours.color(QPalette::Text), std::max(1.5, r * 0.03), Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(c, pointOnFace(c, r * 0.84, minutes / 60.0 * kFullTurn));
    painter.setPen(QPen(QColor(0xd0, 0x30, 0x30), 1.0));
    painter.drawLine(c, pointOnFace(c, r * 0.88, seconds / 60.0 * kFullTurn));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xd0, 0x30, 0x30));
    painter.drawEllipse(c, r * 0.04, r * 0.04);

    if (hasFocus()) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(colours.color(QPalette::Highlight), 2.0));
        painter.drawEllipse(c, r + 2, r + 2);
    }
}
