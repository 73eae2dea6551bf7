#include "viewer/VRDSpeedGraphView.h"

#include "widgets/TKLocalization.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>

namespace {

const QColor kGridColour = QColor::fromRgbF(0.8f, 0.8f, 0.8f, 1.0f);
const QColor kCaptionColour(0x8b, 0x91, 0x9c);
const QColor kCurveColour(0xf0, 0xb4, 0x4c);
const QColor kBandColour(0x6b, 0x72, 0x80, 110);
const QColor kBandEdgeColour(0x8b, 0x91, 0x9c, 160);
// The panel's own background, so the legend stays legible over the curve.
const QColor kLegendBackdrop(0x0f, 0x10, 0x13, 220);

QFont labelFont()
{
    QFont font(QStringLiteral("Helvetica"));
    font.setPixelSize(11);
    return font;
}

} // namespace

VRDSpeedGraphView::VRDSpeedGraphView(QWidget *parent)
    : QWidget(parent), m_series(std::make_shared<const VRDSpeedSeries>())
{
}

void VRDSpeedGraphView::setSeries(Series series)
{
    m_series = series ? std::move(series) : std::make_shared<const VRDSpeedSeries>();
    update();
}

void VRDSpeedGraphView::updateTimePosition(double position)
{
    m_timePosition = position;
    update();
}

VRDSpeedGraphGeometry::Area VRDSpeedGraphView::plotArea() const
{
    return {kLeftMargin, kVerticalMargin, std::max(0.0, width() - kLeftMargin - kRightMargin),
            std::max(0.0, height() - 2 * kVerticalMargin)};
}

VRDSpeedGraphGeometry VRDSpeedGraphView::geometryNow() const
{
    return {*m_series, plotArea()};
}

QString VRDSpeedGraphView::unitText(VRDSpeedSeries::Unit unit)
{
    return TKLocalizedString(unit == VRDSpeedSeries::Unit::MilesPerHour ? "graph.unit_mph" : "graph.unit_kmh");
}

void VRDSpeedGraphView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const VRDSpeedGraphGeometry geometry = geometryNow();
    const bool hasBands = !geometry.poorFixBands().empty();
    drawBands(painter, geometry);
    drawGrid(painter, geometry);
    drawCaptions(painter, hasBands);
    if (m_series->empty())
        return;
    painter.setRenderHint(QPainter::Antialiasing);
    drawCurve(painter, geometry);
    drawCursor(painter, geometry);
}

void VRDSpeedGraphView::drawGrid(QPainter &painter, const VRDSpeedGraphGeometry &geometry) const
{
    const VRDSpeedGraphGeometry::Area area = plotArea();
    const QFont font = labelFont();
    const QFontMetricsF metrics(font);
    painter.setFont(font);
    for (const VRDSpeedGraphGeometry::Tick &tick : geometry.ticks()) {
        painter.fillRect(QRectF(area.left, std::round(tick.y), area.width, 1), kGridColour);
        const QString label = QString::number(tick.speed);
        const QRectF box(0, tick.y - metrics.height() / 2, area.left - 4, metrics.height());
        painter.setPen(Qt::white);
        painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter, label);
    }
    painter.fillRect(QRectF(area.left, area.top, 1, area.height), kGridColour);
}

void VRDSpeedGraphView::drawBands(QPainter &painter, const VRDSpeedGraphGeometry &geometry) const
{
    const VRDSpeedGraphGeometry::Area area = plotArea();
    for (const VRDSpeedGraphGeometry::Band &band : geometry.poorFixBands()) {
        const QRectF box(band.left, area.top, std::max(1.0, band.right - band.left), area.height);
        painter.fillRect(box, kBandColour);
        painter.fillRect(box, QBrush(kBandEdgeColour, Qt::BDiagPattern));
    }
}

void VRDSpeedGraphView::drawCurve(QPainter &painter, const VRDSpeedGraphGeometry &geometry) const
{
    QPolygonF line;
    for (const VRDSpeedGraphGeometry::Point &point : geometry.curve())
        line.append(QPointF(point.x, point.y));
    QPen pen(kCurveColour, 1.5);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);
    painter.drawPolyline(line);
}

void VRDSpeedGraphView::drawCursor(QPainter &painter, const VRDSpeedGraphGeometry &geometry) const
{
    const VRDSpeedGraphGeometry::Area area = plotArea();
    painter.fillRect(QRectF(geometry.cursorX(m_timePosition), area.top, 2, area.height), Qt::white);
}

void VRDSpeedGraphView::drawCaptions(QPainter &painter, bool withBandLegend) const
{
    const VRDSpeedGraphGeometry::Area area = plotArea();
    const QFont font = labelFont();
    const QFontMetricsF metrics(font);
    painter.setFont(font);
    painter.setPen(kCaptionColour);
    // The unit runs up the left edge, clear of the curve and the numbers.
    painter.save();
    painter.translate(2, area.top + area.height / 2);
    painter.rotate(-90);
    painter.drawText(QRectF(-area.height / 2, 0, area.height, metrics.height()), Qt::AlignCenter,
                     unitText(m_series->unit()));
    painter.restore();
    if (!withBandLegend)
        return;
    const QString legend = TKLocalizedString("graph.poor_fix");
    const double textWidth = metrics.horizontalAdvance(legend);
    const QRectF swatch(area.left + area.width - textWidth - 6 - 18, area.top + 3, 12, metrics.height() - 4);
    painter.fillRect(QRectF(swatch.left() - 4, area.top + 1, textWidth + 32, metrics.height() + 2), kLegendBackdrop);
    painter.fillRect(swatch, kBandColour);
    painter.fillRect(swatch, QBrush(kBandEdgeColour, Qt::BDiagPattern));
    painter.drawText(QRectF(area.left, area.top + 2, area.width - 6, metrics.height()), Qt::AlignRight | Qt::AlignTop,
                     legend);
}
