#pragma once

#include "export/VRDSampleText.h"

#include <QImage>
#include <QPointF>
#include <QString>

#include <optional>
#include <vector>

class TKTileStore;

// The map under the report's route, put together from the tiles the
// application already keeps (never fetched while exporting): at the closest
// zoom at which the route fits the picture, or up to two steps further out,
// where the store has every tile the picture covers.
class VRDReportMapPicture {
public:
    // The picture's size in tile pixels; the report draws it into a box of
    // the same shape.
    static constexpr int kWidth = 1040;
    static constexpr int kHeight = 624;
    static constexpr int kMaxZoom = 17;

    // Nothing when the route is empty or no fitting zoom has all its tiles.
    static std::optional<VRDReportMapPicture> compose(const TKTileStore &store,
                                                      const std::vector<VRDSampleText::Position> &route);
    // The deepest zoom at which the route, with a margin, fits the picture.
    static int fittingZoom(const std::vector<VRDSampleText::Position> &route);

    const QImage &picture() const { return m_picture; }
    int zoom() const { return m_zoom; }
    const QString &attribution() const { return m_attribution; }
    // Where a position lies on the picture, in its pixels.
    QPointF place(const VRDSampleText::Position &where) const;
    // Ground metres one picture pixel spans at the picture's centre.
    double metresPerPixel() const;

private:
    QImage m_picture;
    int m_zoom = 0;
    QPointF m_topLeft; // in world pixels at m_zoom
    QString m_attribution;
};
