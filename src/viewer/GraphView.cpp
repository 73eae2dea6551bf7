#include "viewer/GraphView.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace {

constexpr double kLeftMargin = 20.0;
constexpr double kBottomMargin = 8.0;
constexpr double kStepsPerPoint = 10.0;
constexpr double kFullScale = 2.0;

float axisValue(const VRDGSensor &sample, GraphView::Axis axis)
{
    switch (axis) {
    case GraphView::Axis::X:
        return sample.x;
    case GraphView::Axis::Y:
        return sample.y;
    case GraphView::Axis::Z:
        return sample.z;
    }
    return 0.0f;
}

} // namespace

GraphView::GraphView(QWidget *parent)
    : QWidget(parent), m_values(std::make_shared<const std::vector<VRDGSensor>>())
{
}

void GraphView::setGraphData(Samples values)
{
    m_values = values ? std::move(values) : std::make_shared<const std::vector<VRDGSensor>>();
    update();
}

void GraphView::updateTimePosition(double position)
{
    m_timePosition = position;
    update();
}

QPointF GraphView::graphAreaLeftBottom() const
{
    return {kLeftMargin, kBottomMargin};
}

QSizeF GraphView::graphAreaSize() const
{
    return {width() - 2 * kLeftMargin, height() - 2 * kBottomMargin};
}

QPointF GraphView::graphAreaZeroValuePoint() const
{
    return {kLeftMargin, kBottomMargin + graphAreaSize().height() * 0.5};
}

QPolygonF GraphView::curvePoints(Axis axis) const
{
    QPolygonF points;
    const std::vector<VRDGSensor> &samples = *m_values;
    if (samples.empty())
        return points;
    const QSizeF area = graphAreaSize();
    const double unit = area.height() / (2 * kFullScale);
    const double zeroY = graphAreaZeroValuePoint().y();
    const double x0 = kLeftMargin + 1;
    // The whole recording is spread over the width, ten steps a point; each
    // step shows the sample at its proportional place.
    const auto steps = static_cast<long long>(area.width() * kStepsPerPoint + 1);
    const double samplesPerStep = static_cast<double>(samples.size()) / static_cast<double>(steps);
    points.reserve(static_cast<qsizetype>(std::max(steps, 1LL)));
    points.append({x0, axisValue(samples.front(), axis) * unit + zeroY});
    for (long long k = 1; k < steps; ++k) {
        const auto index = static_cast<std::size_t>(samplesPerStep * static_cast<double>(k));
        if (index >= samples.size())
            break;
        points.append({x0 + static_cast<double>(k) / kStepsPerPoint,
                       axisValue(samples[index], axis) * unit + zeroY});
    }
    return points;
}

QRectF GraphView::timePositionBar() const
{
    const QSizeF area = graphAreaSize();
    return {kLeftMargin + area.width() * m_timePosition, kBottomMargin, 2, area.height()};
}

QPointF GraphView::toWidget(QPointF point) const
{
    return {point.x(), height() - point.y()};
}

QRectF GraphView::toWidget(const QRectF &rect) const
{
    return {rect.x(), height() - rect.y() - rect.height(), rect.width(), rect.height()};
}

void GraphView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawBackgroundRect(painter);
    if (m_values->empty())
        return;
    painter.setRenderHint(QPainter::Antialiasing);
    drawGraphDataWithContext(painter);
    drawTimePositionVerticalBarWithContext(painter);
}

void GraphView::drawBackgroundRect(QPainter &painter) const
{
    const QColor lineColour = QColor::fromRgbF(0.8f, 0.8f, 0.8f, 1.0f);
    const QSizeF area = graphAreaSize();
    for (int i = 0; i <= 4; ++i)
        painter.fillRect(toWidget(QRectF(kLeftMargin, kBottomMargin + i * area.height() / 4,
                                         area.width(), 1)),
                         lineColour);
    painter.fillRect(toWidget(QRectF(kLeftMargin, kBottomMargin, 1, area.height())), lineColour);
    static const char *const kLabels[] = {"-2", "-1", "0", "+1", "+2"};
    for (int i = 0; i <= 4; ++i)
        drawString(painter, QString::fromLatin1(kLabels[i]),
                   QPointF(kLeftMargin, kBottomMargin + i * area.height() / 4));
}

void GraphView::drawGraphDataWithContext(QPainter &painter) const
{
    const std::pair<Axis, QColor> curves[] = {
        {Axis::X, Qt::red}, {Axis::Y, Qt::green}, {Axis::Z, Qt::blue}};
    for (const auto &[axis, colour] : curves) {
        QPen pen(colour, 1);
        pen.setJoinStyle(Qt::RoundJoin);
        painter.setPen(pen);
        QPolygonF points = curvePoints(axis);
        for (QPointF &point : points)
            point = toWidget(point);
        painter.drawPolyline(points);
    }
}

void GraphView::drawTimePositionVerticalBarWithContext(QPainter &painter) const
{
    painter.fillRect(toWidget(timePositionBar()), Qt::white);
}

void GraphView::drawString(QPainter &painter, const QString &text, QPointF point) const
{
    QFont font(QStringLiteral("Helvetica"));
    font.setPixelSize(12);
    const QFontMetricsF metrics(font);
    const QSizeF size(metrics.horizontalAdvance(text), metrics.height());
    // Right edge 2 points left of x, vertical centre 2 points above y.
    const QRectF box(point.x() - size.width() - 2, point.y() - size.height() * 0.5 + 2,
                     size.width(), size.height());
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(toWidget(box), Qt::AlignCenter, text);
}
