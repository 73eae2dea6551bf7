#pragma once

#include "viewer/VRDSpeedSeries.h"

#include <vector>

// Where the speed graph draws one recording in a plot area, in widget
// coordinates (y grows downward). Sample i of n covers the fraction i/n to
// (i+1)/n of the recording, as the sensor fields pick samples; its point sits
// in the middle of that stretch. The scale is set by the plausible samples
// alone, so a wild speed from a bad fix cannot flatten the curve; such a
// speed is drawn at the top edge.
class VRDSpeedGraphGeometry
{
public:
    struct Area {
        double left = 0.0;
        double top = 0.0;
        double width = 0.0;
        double height = 0.0;
    };
    struct Point {
        double x = 0.0;
        double y = 0.0;
        friend bool operator==(const Point &, const Point &) = default;
    };
    // A stretch of no or poor fix, from left to right edge.
    struct Band {
        double left = 0.0;
        double right = 0.0;
        friend bool operator==(const Band &, const Band &) = default;
    };
    struct Tick {
        double y = 0.0;
        int speed = 0;
        friend bool operator==(const Tick &, const Tick &) = default;
    };

    static constexpr int kMostSteps = 4;
    static constexpr int kFewestSteps = 2;

    VRDSpeedGraphGeometry(const VRDSpeedSeries &series, Area area);

    // The grid step: the first of 10, 20, 50, 100, 200, 500… that spans
    // `fastest` in at most four steps.
    static int scaleStep(double fastest);
    // Whole steps up to `fastest`, and never fewer than two.
    static int scaleTop(double fastest);

    int top() const { return m_top; }
    std::vector<Tick> ticks() const;
    std::vector<Point> curve() const;
    std::vector<Band> poorFixBands() const;
    // The play position (0 to 1, clamped) across the plot area.
    double cursorX(double position) const;

private:
    double xAt(double fraction) const;
    double yAt(double speed) const;

    const VRDSpeedSeries &m_series;
    Area m_area;
    int m_step = 0;
    int m_top = 0;
};
