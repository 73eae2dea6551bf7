#include "trips/VRDGeoDistance.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace VRDGeoDistance {

double metres(double latitudeA, double longitudeA, double latitudeB, double longitudeB)
{
    constexpr double kEarthRadiusMetres = 6371008.8;
    constexpr double kRadians = std::numbers::pi / 180.0;
    const double dLatitude = (latitudeB - latitudeA) * kRadians;
    const double dLongitude = (longitudeB - longitudeA) * kRadians;
    const double a = std::sin(dLatitude / 2) * std::sin(dLatitude / 2)
        + std::cos(latitudeA * kRadians) * std::cos(latitudeB * kRadians) * std::sin(dLongitude / 2) * std::sin(dLongitude / 2);
    return 2 * kEarthRadiusMetres * std::asin(std::sqrt(std::clamp(a, 0.0, 1.0)));
}

} // namespace VRDGeoDistance
