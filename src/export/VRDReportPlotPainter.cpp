#include "export/VRDReportPlotPainter.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kHalfSpanSeconds = 30.0;

double niceCeiling(double value)
{
    if (value <= 0)
        return 1;
    const double power = std::pow(10.0, std::floor(std::log10(value)));
    for (double step : {1.0, 2.0, 2.5, 5.0, 10.0}) {
        if (value <= step * power)
            return step * power;
    }
    return 10 * power;
}

} // namespace

void VRDReportPlotPainter::paint(QPainter &painter, const QRectF &area, const VRDIncidentReport::Series &series)
{
    painter.save();
    const QFontMetricsF metrics(painter.font());
    const double line = metrics.height();
    painter.setPen(Qt::black);
    painter.drawText(QRectF(area.left(), area.top(), area.width(), line), Qt::AlignLeft,
                     QString::fromStdString(series.title + " (" + series.unit + ")"));
    const QRectF plot(area.left() + 4 * line, area.top() + 1.5 * line, area.width() - 5 * line, area.height() - 3 * line);
    double top = 0;
    for (const auto &[t, value] : series.points)
        top = std::max(top, value);
    top = niceCeiling(top * 1.1);

    painter.setPen(QPen(QColor(200, 200, 200), 0));
    for (int i = 0; i <= 4; ++i) {
        const double y = plot.bottom() - plot.height() * i / 4;
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(area.left(), y - line / 2, 3.6 * line, line), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(top * i / 4, 'g', 3));
        painter.setPen(QPen(QColor(200, 200, 200), 0));
    }
    const auto xOf = [&](double t) { return plot.left() + (t + kHalfSpanSeconds) / (2 * kHalfSpanSeconds) * plot.width(); };
    const auto yOf = [&](double v) { return plot.bottom() - std::clamp(v / top, 0.0, 1.0) * plot.height(); };
    painter.setPen(Qt::black);
    for (int t = -30; t <= 30; t += 10) {
        painter.drawLine(QPointF(xOf(t), plot.bottom()), QPointF(xOf(t), plot.bottom() + line / 4));
        painter.drawText(QRectF(xOf(t) - 2 * line, plot.bottom() + line / 4, 4 * line, line), Qt::AlignCenter,
                         QString("%1 s").arg(t > 0 ? QString("+%1").arg(t) : QString::number(t)));
    }
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot);
    painter.setPen(QPen(QColor(90, 90, 90), 0, Qt::DashLine));
    painter.drawLine(QPointF(xOf(0), plot.top()), QPointF(xOf(0), plot.bottom()));

    if (series.points.empty()) {
        painter.setPen(Qt::black);
        painter.drawText(plot, Qt::AlignCenter, "no data");
        painter.restore();
        return;
    }
    QPainterPath path;
    const auto *peak = &series.points.front();
    for (const auto &point : series.points) {
        const QPointF at(xOf(point.first), yOf(point.second));
        if (path.elementCount() == 0)
            path.moveTo(at);
        else
            path.lineTo(at);
        if (point.second > peak->second)
            peak = &point;
    }
    painter.setPen(QPen(QColor(20, 90, 200), line / 8));
    painter.drawPath(path);
    const QPointF peakAt(xOf(peak->first), yOf(peak->second));
    painter.setPen(QPen(QColor(210, 30, 30), line / 8));
    painter.setBrush(QColor(210, 30, 30));
    painter.drawEllipse(peakAt, line / 4, line / 4);
    const QString label = QString("peak %1 %2 at %3 s")
                              .arg(peak->second, 0, 'f', 2)
                              .arg(QString::fromStdString(series.unit))
                              .arg(peak->first, 0, 'f', 1);
    const double labelWidth = metrics.horizontalAdvance(label) + line / 2;
    const double labelX = std::clamp(peakAt.x() + line / 2, plot.left(), plot.right() - labelWidth);
    painter.drawText(QRectF(labelX, std::max(plot.top(), peakAt.y() - line * 1.2), labelWidth, line), Qt::AlignLeft, label);
    painter.restore();
}
