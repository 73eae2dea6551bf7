#pragma once

#include <vector>

// A closed drive along real streets: Munich's Altstadtring, clockwise from
// Karlsplatz (Stachus) by Sendlinger Tor, Isartor, the Karl-Scharnagl-Ring,
// Odeonsplatz and Lenbachplatz back to Karlsplatz.
class DemoRoute {
public:
    struct Position {
        double latitude;    // decimal degrees, north positive
        double longitude;   // decimal degrees, east positive
        double courseDegrees; // 0 north, clockwise
    };

    DemoRoute();

    double lengthMetres() const { return m_cumulative.back(); }
    // Where a car is after driving this far; the loop repeats.
    Position positionAt(double distanceMetres) const;

private:
    struct Point {
        double latitude;
        double longitude;
    };
    std::vector<Point> m_points;
    std::vector<double> m_cumulative; // distance at each point from the start
};
