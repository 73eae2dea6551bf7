#pragma once

// Great-circle distance on a sphere of the earth's mean radius.
namespace VRDGeoDistance {

double metres(double latitudeA, double longitudeA, double latitudeB, double longitudeB);

} // namespace VRDGeoDistance
