#include "export/VRDReportRoutePainter.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <functional>
#include <cmath>
#include <numbers>

namespace {

constexpr double kMetresPerDegree = 111320.0;

struct Metres {
    double east, north;
};

} // namespace

double VRDReportRoutePainter::scaleBarMetres(double metres)
{
    if (metres <= 0)
        return 1;
    const double power = std::pow(10.0, std::floor(std::log10(metres)));
    for (double step : {5.0, 2.0, 1.0}) {
        if (step * power <= metres)
            return step * power;
    }
    return power;
}

namespace {

// Where positions fall in the area, and how many of its pixels make a metre.
struct Projection {
    std::function<QPointF(const VRDSampleText::Position &)> toPoint;
    double pixelsPerMetre;
};

// A local flat projection fitted to the route: over a few kilometres its
// error is far below the drawing's resolution.
Projection toScale(const QRectF &area, double line, const std::vector<VRDSampleText::Position> &route,
                   const std::optional<VRDSampleText::Position> &moment)
{
    const VRDSampleText::Position origin = moment.value_or(route.front());
    const double eastScale = kMetresPerDegree * std::cos(origin.latitude * std::numbers::pi / 180.0);
    const auto project = [=](const VRDSampleText::Position &p) {
        return Metres{(p.longitude - origin.longitude) * eastScale, (p.latitude - origin.latitude) * kMetresPerDegree};
    };
    double minEast = 0, maxEast = 0, minNorth = 0, maxNorth = 0;
    for (const auto &p : route) {
        const Metres m = project(p);
        minEast = std::min(minEast, m.east), maxEast = std::max(maxEast, m.east);
        minNorth = std::min(minNorth, m.north), maxNorth = std::max(maxNorth, m.north);
    }
    const QRectF inner = area.adjusted(2 * line, 2 * line, -2 * line, -3 * line);
    const double spanEast = std::max(maxEast - minEast, 20.0);
    const double spanNorth = std::max(maxNorth - minNorth, 20.0);
    const double pixelsPerMetre = std::min(inner.width() / spanEast, inner.height() / spanNorth);
    const QPointF centre = inner.center();
    const double centreEast = (minEast + maxEast) / 2, centreNorth = (minNorth + maxNorth) / 2;
    return {[=](const VRDSampleText::Position &p) {
                const Metres m = project(p);
                return QPointF(centre.x() + (m.east - centreEast) * pixelsPerMetre,
                               centre.y() - (m.north - centreNorth) * pixelsPerMetre);
            },
            pixelsPerMetre};
}

// The map picture fills the area (both have the same shape); the route
// follows the map's own projection.
Projection onMap(QPainter &painter, const QRectF &area, double line, const VRDReportMapPicture &map)
{
    painter.drawImage(area, map.picture());
    const double scale = area.width() / map.picture().width();
    const QString credit = map.attribution();
    const QRectF box = painter.boundingRect(area, Qt::AlignRight | Qt::AlignBottom, credit).adjusted(-line / 3, -line / 6, 0, 0);
    painter.fillRect(box, QColor(255, 255, 255, 210));
    painter.drawText(box, Qt::AlignCenter, credit);
    const QPointF topLeft = area.topLeft();
    return {[=, &map](const VRDSampleText::Position &p) { return topLeft + map.place(p) * scale; }, scale / map.metresPerPixel()};
}

} // namespace

void VRDReportRoutePainter::paint(QPainter &painter, const QRectF &area, const std::vector<VRDSampleText::Position> &route,
                                  const std::optional<VRDSampleText::Position> &moment,
                                  const std::optional<VRDReportMapPicture> &map)
{
    painter.save();
    const double line = QFontMetricsF(painter.font()).height();
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(QColor(246, 244, 238));
    painter.drawRect(area);
    if (route.empty()) {
        painter.drawText(area, Qt::AlignCenter, "no positions around the instant");
        painter.restore();
        return;
    }
    const Projection projection = map ? onMap(painter, area, line, *map) : toScale(area, line, route, moment);
    const auto &toPoint = projection.toPoint;
    const double pixelsPerMetre = projection.pixelsPerMetre;
    QPainterPath path(toPoint(route.front()));
    for (const auto &p : route)
        path.lineTo(toPoint(p));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(20, 90, 200), line / 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);
    painter.setPen(QPen(Qt::black, line / 12));
    painter.setBrush(QColor(40, 170, 60));
    painter.drawEllipse(toPoint(route.front()), line / 3, line / 3);
    painter.setBrush(Qt::white);
    painter.drawEllipse(toPoint(route.back()), line / 3, line / 3);
    if (moment) {
        painter.setBrush(QColor(210, 30, 30));
        painter.drawEllipse(toPoint(*moment), line / 2, line / 2);
    }

    // Scale bar, bottom left, on a light patch to stay legible over a map.
    const double barMetres = scaleBarMetres(area.width() / 4 / pixelsPerMetre);
    const double barLength = barMetres * pixelsPerMetre;
    const QPointF barStart(area.left() + line, area.bottom() - line * 1.2);
    if (map)
        painter.fillRect(QRectF(area.left(), barStart.y() - 1.6 * line, barLength + 5 * line, 2.6 * line), QColor(255, 255, 255, 190));
    painter.setPen(QPen(Qt::black, line / 8));
    painter.drawLine(barStart, barStart + QPointF(barLength, 0));
    painter.drawLine(barStart, barStart - QPointF(0, line / 3));
    painter.drawLine(barStart + QPointF(barLength, 0), barStart + QPointF(barLength, -line / 3));
    const QString barText = barMetres >= 1000 ? QString("%1 km").arg(barMetres / 1000) : QString("%1 m").arg(barMetres);
    painter.drawText(QRectF(barStart.x(), barStart.y() - 1.4 * line, barLength + 4 * line, line), Qt::AlignLeft, barText);

    // North arrow, top right.
    const QPointF tip(area.right() - 1.5 * line, area.top() + 0.8 * line);
    QPolygonF arrow;
    arrow << tip << tip + QPointF(0.5 * line, 1.6 * line) << tip + QPointF(0, 1.2 * line) << tip + QPointF(-0.5 * line, 1.6 * line);
    painter.setBrush(Qt::black);
    painter.drawPolygon(arrow);
    painter.drawText(QRectF(tip.x() - line, tip.y() + 1.6 * line, 2 * line, line), Qt::AlignCenter, "N");
    painter.restore();
}
