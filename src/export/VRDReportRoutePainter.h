#pragma once

#include "export/VRDReportMapPicture.h"
#include "export/VRDSampleText.h"

#include <QRectF>

#include <optional>
#include <vector>

class QPainter;

// The route around the marked instant, north up, with a scale bar, a north
// arrow and the instant's place: over the map picture with its credit when
// there is one, otherwise drawn to scale on a plain ground.
class VRDReportRoutePainter {
public:
    static void paint(QPainter &painter, const QRectF &area, const std::vector<VRDSampleText::Position> &route,
                      const std::optional<VRDSampleText::Position> &moment, const std::optional<VRDReportMapPicture> &map);

    // The scale bar's length: 1, 2 or 5 times a power of ten metres, at
    // most `metres`.
    static double scaleBarMetres(double metres);
};
