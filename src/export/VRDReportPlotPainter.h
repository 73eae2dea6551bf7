#pragma once

#include "export/VRDIncidentReport.h"

#include <QRectF>

class QPainter;

// A line plot of one series over time around the marked instant, with
// the instant as a vertical line and the peak marked with its value.
class VRDReportPlotPainter {
public:
    static void paint(QPainter &painter, const QRectF &area, const VRDIncidentReport::Series &series);
};
