#include "trips/VRDTrip.h"

#include "trips/VRDGeoDistance.h"

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
