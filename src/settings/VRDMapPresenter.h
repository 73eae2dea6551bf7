#pragma once

#include <QRect>

// Where the drive-information tab shows a record's position: the map
// window, or a stand-in in tests.
class VRDMapPresenter
{
public:
    virtual ~VRDMapPresenter() = default;

    virtual void showWindow() = 0;
    // Left edge at frame's right edge, top at frame's top.
    virtual void moveWindowRightBy(const QRect &frame) = 0;
    // Decimal degrees, north and east.
    virtual void updateMapLat(double latitude, double longitude) = 0;
};
