#include "viewer/VRDTripsView.h"

#include <QContextMenuEvent>
#include <QDateTime>
#include <QFile>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollArea>
#include <QTimer>
#include <QToolTip>

#include <algorithm>
#include <cmath>
#include <utility>

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
const QColor kPlayhead(0xff, 0xff, 0xff);
constexpr int kPlayheadHalfWidth = 5;

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
    setFocusPolicy(Qt::StrongFocus);
}

void VRDTripsView::setStatus(const QString &status)
{
    m_status = status;
    update(0, 0, width(), kStatusHeight);
}

const std::vector<VRDTrip> &VRDTripsView::trips() const
{
    static const std::vector<VRDTrip> none;
    return m_trips ? *m_trips : none;
}

void VRDTripsView::setTrips(std::vector<VRDTrip> trips)
{
    setTrips(std::make_shared<const std::vector<VRDTrip>>(std::move(trips)));
}

void VRDTripsView::setTrips(Trips trips)
{
    const std::optional<VRDTrip::Kind> selectedKind = m_selected >= 0 ? std::optional(this->trips()[static_cast<std::size_t>(m_selected)].kind) : std::nullopt;
    const double selectedStart = m_selected >= 0 ? this->trips()[static_cast<std::size_t>(m_selected)].startUtc : 0.0;
    m_trips = std::move(trips);
    m_selected = -1;
    if (m_playheadRow >= static_cast<int>(this->trips().size()))
        m_playheadRow = -1;
    if (selectedKind) {
        // More recordings only grow or join drives: the one that holds the
        // old start is the chosen one, found by time (rows are in time order).
        const std::vector<VRDTrip> &all = this->trips();
        auto after = std::upper_bound(all.begin(), all.end(), selectedStart,
                                      [](double at, const VRDTrip &trip) { return at < trip.startUtc; });
        for (auto it = after; it != all.begin();) {
            --it;
            if (it->kind == *selectedKind && selectedStart <= it->endUtc) {
                m_selected = static_cast<int>(it - all.begin());
                break;
            }
            if (it->endUtc < selectedStart)
                break;
        }
    }
    // Tall enough for every row: the scroll area scrolls.
    setMinimumHeight(sizeHint().height());
    update();
    emit tripsReplaced();
}

void VRDTripsView::selectRow(int row)
{
    if (row < 0 || row >= static_cast<int>(trips().size()) || row == m_selected)
        return;
    m_selected = row;
    update();
    emit tripSelected(row);
}

int VRDTripsView::firstRowOnOrAfter(QDate day) const
{
    const std::vector<VRDTrip> &all = trips();
    const double from = static_cast<double>(day.startOfDay().toSecsSinceEpoch());
    const auto first = std::lower_bound(all.begin(), all.end(), from,
                                        [](const VRDTrip &trip, double at) { return trip.startUtc < at; });
    return first == all.end() ? -1 : static_cast<int>(first - all.begin());
}

void VRDTripsView::scrollToRow(int row)
{
    if (row < 0 || row >= static_cast<int>(trips().size()))
        return;
    if (!isVisible()) {
        m_scrollPending = row;
        return;
    }
    m_scrollPending = -1;
    for (QWidget *ancestor = parentWidget(); ancestor != nullptr; ancestor = ancestor->parentWidget()) {
        if (auto *area = qobject_cast<QScrollArea *>(ancestor)) {
            const QRect r = rowRect(row);
            area->ensureVisible(0, r.center().y(), 0, kRowHeight / 2 + 2);
            return;
        }
    }
}

void VRDTripsView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_scrollPending < 0)
        return;
    // After the layout has given the scroll area its size.
    QTimer::singleShot(0, this, [this] { scrollToRow(std::exchange(m_scrollPending, -1)); });
}

void VRDTripsView::setPlayhead(int row, double utcSeconds)
{
    if (row < 0 || row >= static_cast<int>(trips().size())) {
        clearPlayhead();
        return;
    }
    const QRect before = playheadRect();
    m_playheadRow = row;
    m_playheadUtc = utcSeconds;
    // Only the strips the head leaves and enters: a long drive has many blocks.
    update(before);
    update(playheadRect());
}

void VRDTripsView::clearPlayhead()
{
    if (m_playheadRow < 0)
        return;
    update(playheadRect());
    m_playheadRow = -1;
}

std::optional<double> VRDTripsView::playheadX() const
{
    if (m_playheadRow < 0)
        return std::nullopt;
    const QRectF line = timelineRect(m_playheadRow);
    return std::clamp(xOf(m_playheadRow, m_playheadUtc), line.left(), line.right());
}

QRect VRDTripsView::playheadRect() const
{
    const std::optional<double> x = playheadX();
    if (!x)
        return {};
    const QRectF line = timelineRect(m_playheadRow);
    return QRectF(*x - kPlayheadHalfWidth - 1, line.top() - 10, 2 * kPlayheadHalfWidth + 2, line.height() + 14)
        .toAlignedRect();
}

QSize VRDTripsView::sizeHint() const
{
    return {320, kStatusHeight + static_cast<int>(trips().size()) * kRowHeight + kMargin};
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
    return row < static_cast<int>(trips().size()) ? row : -1;
}

double VRDTripsView::timeAt(int row, double x) const
{
    const VRDTrip &trip = trips()[static_cast<std::size_t>(row)];
    const QRectF line = timelineRect(row);
    const double fraction = std::clamp((x - line.left()) / line.width(), 0.0, 1.0);
    return trip.startUtc + fraction * std::max(trip.durationSeconds(), 1.0);
}

double VRDTripsView::xOf(int row, double utcSeconds) const
{
    const VRDTrip &trip = trips()[static_cast<std::size_t>(row)];
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

void VRDTripsView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(event->rect(), kBackground);
    painter.setPen(kDimText);
    painter.drawText(QRect(kMargin, 0, width() - 2 * kMargin, kStatusHeight), Qt::AlignVCenter | Qt::AlignLeft, m_status);

    // Only the rows in the part to paint: a card can hold many.
    const int count = static_cast<int>(trips().size());
    const int first = std::max(0, (event->rect().top() - kStatusHeight) / kRowHeight);
    const int last = std::min(count - 1, (event->rect().bottom() - kStatusHeight) / kRowHeight);
    for (int row = first; row <= last; ++row)
        paintRow(painter, row, event->rect());

    const std::optional<double> x = playheadX();
    if (x && m_playheadRow >= first && m_playheadRow <= last) {
        const QRectF line = timelineRect(m_playheadRow);
        painter.setPen(QPen(kPlayhead, 2));
        painter.drawLine(QPointF(*x, line.top() - 3), QPointF(*x, line.bottom() + 3));
        QPainterPath knob;
        knob.moveTo(*x, line.top() - 2);
        knob.lineTo(*x - kPlayheadHalfWidth, line.top() - 9);
        knob.lineTo(*x + kPlayheadHalfWidth, line.top() - 9);
        knob.closeSubpath();
        painter.setPen(Qt::NoPen);
        painter.setBrush(kPlayhead);
        painter.drawPath(knob);
    }
}

void VRDTripsView::paintRow(QPainter &painter, int row, const QRect &area) const
{
    const VRDTrip &trip = trips()[static_cast<std::size_t>(row)];
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
        // A drive of many recordings: only the blocks in the part to paint.
        if (right < area.left() || left > area.right() + 1)
            continue;
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
    const VRDTrip &trip = trips()[static_cast<std::size_t>(row)];
    const double at = timeAt(row, event->position().x());
    for (std::size_t i = 0; i < trip.blocks.size() && i < trip.recordings.size(); ++i) {
        const VRDTripBlock &block = trip.blocks[i];
        if (at >= block.startUtc && at <= std::max(block.endUtc, block.startUtc + 1.0)) {
            emit momentRequested(QFile::decodeName(QByteArray::fromStdString(trip.recordings[i])), at - block.startUtc);
            return;
        }
    }
}

void VRDTripsView::playStart(int row)
{
    if (row < 0 || row >= static_cast<int>(trips().size()))
        return;
    const VRDTrip &trip = trips()[static_cast<std::size_t>(row)];
    if (!trip.recordings.empty())
        emit momentRequested(QFile::decodeName(QByteArray::fromStdString(trip.recordings.front())), 0.0);
}

void VRDTripsView::keyPressEvent(QKeyEvent *event)
{
    const int count = static_cast<int>(trips().size());
    int row = m_selected;
    switch (event->key()) {
    case Qt::Key_Up:
        row = std::max(0, m_selected - 1);
        break;
    case Qt::Key_Down:
        row = std::min(count - 1, m_selected + 1);
        break;
    case Qt::Key_Home:
        row = 0;
        break;
    case Qt::Key_End:
        row = count - 1;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        playStart(m_selected);
        return;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    selectRow(row);
    scrollToRow(m_selected);
}

void VRDTripsView::contextMenuEvent(QContextMenuEvent *event)
{
    // From the keyboard the menu is the chosen row's.
    const int row = event->reason() == QContextMenuEvent::Mouse ? rowAt(event->pos()) : m_selected;
    if (row < 0)
        return;
    selectRow(row);
    const VRDTrip &trip = trips()[static_cast<std::size_t>(row)];
    QMenu menu(this);
    QAction *play = menu.addAction(qtTrId("trips.play_start"));
    QAction *exportGpx = menu.addAction(qtTrId("trips.export_gpx"));
    exportGpx->setEnabled(!trip.stretches.empty());
    const QPoint at = event->reason() == QContextMenuEvent::Mouse ? event->globalPos()
                                                                  : mapToGlobal(rowRect(row).center());
    QAction *chosen = menu.exec(at);
    if (chosen == play)
        playStart(row);
    else if (chosen == exportGpx)
        emit exportRequested(row);
}
