#pragma once

#include "export/VRDOverlayFacts.h"

#include <QImage>

// Paints the data box burned into the side-by-side video: date and time,
// speed, position and a bar of the G-force. Needs a QGuiApplication (fonts).
class VRDOverlayPainter {
public:
    static constexpr double kFullScaleG = 3.0;

    static QImage paint(const VRDOverlayFacts &facts, int width, int height);
};
