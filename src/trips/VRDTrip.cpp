#include "trips/VRDTrip.h"

#include "trips/VRDGeoDistance.h"

#include <algorithm>
#include <cmath>

const VRDTripPoint *VRDTrip::nearestPoint(double latitude, double longitude) const
{
    const VRDTripPoint *nearest = nullptr;
    double nearestMetres = 0;
    for (const std::vector<VRDTripPoint> &stretch : stretches) {
        for (const VRDTripPoint &point : stretch) {
            const double metres = VRDGeoDistance::metres(latitude, longitude, point.latitude, point.longitude);
            if (nearest == nullptr || metres < nearestMetres) {
                nearest = &point;
                nearestMetres = metres;
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
