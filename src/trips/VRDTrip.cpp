#include "trips/VRDTrip.h"

#include <algorithm>
#include <cmath>

const VRDTripPoint *VRDTrip::nearestPoint(double latitude, double longitude) const
{
    // A flat map around the place ranks the points as great circles do near
    // it, for a fraction of the cost: a long drive holds millions of points.
    constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;
    const double xScale = std::cos(latitude * kRadiansPerDegree);
    const VRDTripPoint *nearest = nullptr;
    double nearestSquare = 0;
    for (const std::vector<VRDTripPoint> &stretch : stretches) {
        for (const VRDTripPoint &point : stretch) {
            const double east = std::remainder(point.longitude - longitude, 360.0) * xScale;
            const double north = point.latitude - latitude;
            const double square = east * east + north * north;
            if (nearest == nullptr || square < nearestSquare) {
                nearest = &point;
                nearestSquare = square;
            }
        }
    }
    return nearest;
}

const VRDTripPoint *VRDTrip::pointNearestInTime(double utcSeconds) const
{
    const VRDTripPoint *nearest = nullptr;
    const auto consider = [&](const VRDTripPoint &point) {
        if (nearest == nullptr || std::abs(point.utcSeconds - utcSeconds) < std::abs(nearest->utcSeconds - utcSeconds))
            nearest = &point;
    };
    // Each stretch is in time order: only the points around the moment count.
    for (const std::vector<VRDTripPoint> &stretch : stretches) {
        const auto after = std::lower_bound(stretch.begin(), stretch.end(), utcSeconds,
                                            [](const VRDTripPoint &point, double at) { return point.utcSeconds < at; });
        if (after != stretch.end())
            consider(*after);
        if (after != stretch.begin())
            consider(*std::prev(after));
    }
    return nearest;
}
