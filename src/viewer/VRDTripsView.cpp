#include "viewer/VRDTripsView.h"

#include <QDateTime>
#include <QFile>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kStatusHeight = 26;
constexpr int kMargin = 8;
constexpr int kTitleHeight = 20;
constexpr int kTimelineHeight = 16;

const QColor kBackground(0x16, 0x18, 0x1c);
const QColor kSelected(0x26, 0x2a, 0x30);
const QColor kText(0xc9, 0xcc, 0xd1);
const QColor kDimText(0x8b, 0x91, 0x9c);
const QColor kTrack(0x0c, 0x0d, 0x10);
const QColor kEventMarker(0xf2, 0xa3, 0x3a);

QColor blockColour(VRDTripBlock::Kind kind)
{
    switch (kind) {
    case VRDTripBlock::Kind::Event:
        return QColor(0xe5, 0x53, 0x4b);
    case VRDTripBlock::Kind::Motion:
        return QColor(0x7d, 0x8a, 0xa6);
    case VRDTripBlock::Kind::Always:
        break;
    }
    return QColor(0x3f, 0xa0, 0xd9);
}

QDateTime localTime(double utcSeconds)
{
    return QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(std::llround(utcSeconds * 1000.0))).toLocalTime();
}

} // namespace

VRDTripsView::VRDTripsView(QWidget *parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    setAutoFillBackground(false);
}

void VRDTripsView::setStatus(const QString &status)
{
    m_status = status;
    update();
}

void VRDTripsView::setTrips(std::vector<VRDTrip> trips)
{
    m_trips = std::move(trips);
    m_selected = -1;
    // Tall enough for every row: the scroll area around it scrolls.
    setMinimumHeight(sizeHint().height());
    update();
}

void VRDTripsView::selectRow(int row)
{
    if (row < 0 || row >= static_cast<int>(m_trips.size()) || row == m_selected)
        return;
    m_selected = row;
    update();
    emit tripSelected(row);
}

QSize VRDTripsView::sizeHint() const
{
    return {320, kStatusHeight + static_cast<int>(m_trips.size()) * kRowHeight + kMargin};
}

QRect VRDTripsView::rowRect(int row) const
{
    return {0, kStatusHeight + row * kRowHeight, width(), kRowHeight};
}

QRectF VRDTripsView::timelineRect(int row) const
{
    const QRect r = rowRect(row);
    return {static_cast<double>(kMargin), static_cast<double>(r.top() + kTitleHeight + 6),
            static_cast<double>(width() - 2 * kMargin), static_cast<double>(kTimelineHeight)};
}

int VRDTripsView::rowAt(const QPoint &point) const
{
    if (point.y() < kStatusHeight)
        return -1;
    const int row = (point.y() - kStatusHeight) / kRowHeight;
    return row < static_cast<int>(m_trips.size()) ? row : -1;
}

double VRDTripsView::timeAt(int row, double x) const
{
    const VRDTrip &trip = m_trips[static_cast<std::size_t>(row)];
    const QRectF line = timelineRect(row);
    const double fraction = std::clamp((x - line.left()) / line.width(), 0.0, 1.0);
    return trip.startUtc + fraction * std::max(trip.durationSeconds(), 1.0);
}

double VRDTripsView::xOf(int row, double utcSeconds) const
{
    const VRDTrip &trip = m_trips[static_cast<std::size_t>(row)];
    const QRectF line = timelineRect(row);
    return line.left() + (utcSeconds - trip.startUtc) / std::max(trip.durationSeconds(), 1.0) * line.width();
}

QString VRDTripsView::whenOf(const VRDTrip &trip) const
{
    return QLocale::c().toString(localTime(trip.startUtc), QStringLiteral("d MMM HH:mm")) + QStringLiteral("–")
        + localTime(trip.endUtc).toString(QStringLiteral("HH:mm"));
}

QString VRDTripsView::figuresOf(const VRDTrip &trip) const
{
    if (trip.kind == VRDTrip::Kind::Parking)
        return qtTrId("trips.parking").arg(trip.events.size());
    return qtTrId("trips.drive")
        .arg(trip.distanceMetres / 1000.0, 0, 'f', 1)
        .arg(trip.maxSpeedKmh, 0, 'f', 0)
        .arg(trip.events.size());
}

void VRDTripsView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), kBackground);
    painter.setPen(kDimText);
    painter.drawText(QRect(kMargin, 0, width() - 2 * kMargin, kStatusHeight), Qt::AlignVCenter | Qt::AlignLeft, m_status);

    for (int row = 0; row < static_cast<int>(m_trips.size()); ++row) {
        const VRDTrip &trip = m_trips[static_cast<std::size_t>(row)];
        const QRect r = rowRect(row);
        if (row == m_selected)
            painter.fillRect(r, kSelected);
        const QRect title(kMargin, r.top() + 4, width() - 2 * kMargin, kTitleHeight);
        painter.setPen(trip.kind == VRDTrip::Kind::Drive ? kText : kDimText);
        painter.drawText(title, Qt::AlignVCenter | Qt::AlignLeft, whenOf(trip));
        painter.save();
        QFont small = painter.font();
        small.setPointSizeF(small.pointSizeF() * 0.85);
        painter.setFont(small);
        painter.setPen(kDimText);
        painter.drawText(title, Qt::AlignVCenter | Qt::AlignRight, figuresOf(trip));
        painter.restore();

        const QRectF line = timelineRect(row);
        painter.setPen(Qt::NoPen);
        painter.setBrush(kTrack);
        painter.drawRoundedRect(line, 3, 3);
        for (const VRDTripBlock &block : trip.blocks) {
            const double left = xOf(row, block.startUtc);
            const double right = std::max(xOf(row, block.endUtc), left + 2.0);
            const QRectF box(left, line.top() + 2, right - left - 1.0, line.height() - 4);
            const QColor colour = blockColour(block.kind);
            if (block.hasRoute) {
                painter.setPen(Qt::NoPen);
                painter.setBrush(colour);
            } else {
                painter.setPen(QPen(colour, 1.2));
                painter.setBrush(Qt::NoBrush);
            }
            painter.drawRect(box);
        }
        painter.setPen(Qt::NoPen);
        painter.setBrush(kEventMarker);
        for (const VRDTripEvent &event : trip.events) {
            const double x = xOf(row, event.utcSeconds);
            QPainterPath marker;
            marker.moveTo(x, line.top() - 1);
            marker.lineTo(x - 5, line.top() - 8);
            marker.lineTo(x + 5, line.top() - 8);
            marker.closeSubpath();
            painter.drawPath(marker);
        }
    }
}

void VRDTripsView::mouseMoveEvent(QMouseEvent *event)
{
    const int row = rowAt(event->position().toPoint());
    if (row < 0 || !timelineRect(row).adjusted(0, -8, 0, 4).contains(event->position())) {
        QToolTip::hideText();
        return;
    }
    const double at = timeAt(row, event->position().x());
    QToolTip::showText(event->globalPosition().toPoint(), localTime(at).toString(QStringLiteral("HH:mm:ss")), this);
}

void VRDTripsView::mousePressEvent(QMouseEvent *event)
{
    const int row = rowAt(event->position().toPoint());
    if (row < 0)
        return;
    selectRow(row);
    if (!timelineRect(row).adjusted(0, -8, 0, 4).contains(event->position()))
        return;
    const VRDTrip &trip = m_trips[static_cast<std::size_t>(row)];
    const double at = timeAt(row, event->position().x());
    for (std::size_t i = 0; i < trip.blocks.size() && i < trip.recordings.size(); ++i) {
        const VRDTripBlock &block = trip.blocks[i];
        if (at >= block.startUtc && at <= std::max(block.endUtc, block.startUtc + 1.0)) {
            emit momentRequested(QFile::decodeName(QByteArray::fromStdString(trip.recordings[i])), at - block.startUtc);
            return;
        }
    }
}
