#pragma once

#include "export/VRDSampleText.h"

#include <QRectF>

#include <optional>
#include <vector>

class QPainter;

// The route around the marked instant drawn to scale on a plain ground
// (north up), with a scale bar, a north arrow and the instant's place.
class VRDReportRoutePainter {
public:
    static void paint(QPainter &painter, const QRectF &area, const std::vector<VRDSampleText::Position> &route,
                      const std::optional<VRDSampleText::Position> &moment);

    // The scale bar's length: 1, 2 or 5 times a power of ten metres, at
    // most `metres`.
    static double scaleBarMetres(double metres);
};
