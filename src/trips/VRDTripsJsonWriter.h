#pragma once

#include "trips/VRDTrip.h"

#include <string>
#include <vector>

// The drives and parking spans of a folder as JSON: times in UTC, numbers as
// numbers, recordings by the paths the library lists them under.
namespace VRDTripsJsonWriter {

std::string write(const std::string &directory, const std::vector<VRDTrip> &trips);

} // namespace VRDTripsJsonWriter
