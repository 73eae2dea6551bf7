#pragma once

#include "trips/VRDTrip.h"

#include <string>

// One drive as a GPX 1.1 file: one track, one segment per stretch of
// plausible fixes, every point with its UTC time.
namespace VRDTripGpxWriter {

std::string write(const VRDTrip &trip);
// "trip-YYYYMMDD-hhmmss.gpx" after the drive's UTC start.
std::string fileName(const VRDTrip &trip);

} // namespace VRDTripGpxWriter
