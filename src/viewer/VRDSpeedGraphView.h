#pragma once

#include "viewer/VRDSpeedGraphGeometry.h"
#include "viewer/VRDSpeedSeries.h"

#include <QWidget>
#include <memory>

// Draws the speed over the whole recording with its unit, shades the
// stretches of no or poor fix, and puts a white bar at the play position.
// Without samples it shows the bare grid, as the G-sensor graph does.
class VRDSpeedGraphView : public QWidget
{
    Q_OBJECT

public:
    using Series = std::shared_ptr<const VRDSpeedSeries>;

    static constexpr double kLeftMargin = 40.0;
    static constexpr double kRightMargin = 12.0;
    static constexpr double kVerticalMargin = 8.0;

    explicit VRDSpeedGraphView(QWidget *parent = nullptr);

    void setSeries(Series series);
    const VRDSpeedSeries &series() const { return *m_series; }
    void updateTimePosition(double position);
    double timePosition() const { return m_timePosition; }

    VRDSpeedGraphGeometry::Area plotArea() const;
    // The geometry at the current size; valid while the series is unchanged.
    VRDSpeedGraphGeometry geometryNow() const;
    // "km/h" or "mph", from the string table.
    static QString unitText(VRDSpeedSeries::Unit unit);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void drawGrid(QPainter &painter, const VRDSpeedGraphGeometry &geometry) const;
    void drawBands(QPainter &painter, const VRDSpeedGraphGeometry &geometry) const;
    void drawCurve(QPainter &painter, const VRDSpeedGraphGeometry &geometry) const;
    void drawCursor(QPainter &painter, const VRDSpeedGraphGeometry &geometry) const;
    void drawCaptions(QPainter &painter, bool withBandLegend) const;

    Series m_series;
    double m_timePosition = 0.0;
};
