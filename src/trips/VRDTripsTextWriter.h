#pragma once

#include "trips/VRDTrip.h"

#include <string>
#include <vector>

// The drives and parking spans of a folder as a table for people.
namespace VRDTripsTextWriter {

std::string write(const std::string &directory, const std::vector<VRDTrip> &trips);

} // namespace VRDTripsTextWriter
