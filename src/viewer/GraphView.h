#pragma once

#include "blackbox/VRDGSensor.h"

#include <QColor>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QSizeF>
#include <QWidget>
#include <memory>
#include <vector>

// Draws the three G-sensor axes of the whole recording over a fixed ±2 g
// scale, with a white bar at the play position. Geometry is given in graph
// coordinates: origin at the bottom left of the view, y growing upward.
class GraphView : public QWidget
{
    Q_OBJECT

public:
    // The samples are never changed once handed over: a running extraction
    // fills a list of its own, so drawing can never see one half-written.
    using Samples = std::shared_ptr<const std::vector<VRDGSensor>>;
    enum class Axis { X, Y, Z };

    explicit GraphView(QWidget *parent = nullptr);

    void setGraphData(Samples values);
    const Samples &values() const { return m_values; }
    void updateTimePosition(double position);
    double timePosition() const { return m_timePosition; }
    void setBackgroundColor(const QColor &color) { m_backgroundColor = color; }
    QColor backgroundColor() const { return m_backgroundColor; }

    QPointF graphAreaLeftBottom() const;
    QSizeF graphAreaSize() const;
    QPointF graphAreaZeroValuePoint() const;
    // The curve of one axis, empty without samples.
    QPolygonF curvePoints(Axis axis) const;
    // The time bar, in graph coordinates.
    QRectF timePositionBar() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void drawBackgroundRect(QPainter &painter) const;
    void drawGraphDataWithContext(QPainter &painter) const;
    void drawTimePositionVerticalBarWithContext(QPainter &painter) const;
    void drawString(QPainter &painter, const QString &text, QPointF point) const;
    // Graph coordinates (y up) to widget coordinates (y down).
    QPointF toWidget(QPointF point) const;
    QRectF toWidget(const QRectF &rect) const;

    Samples m_values;
    double m_timePosition = 0.0;
    QColor m_backgroundColor;
};
