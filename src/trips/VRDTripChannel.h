#pragma once

#include "media/VRDMediaCatalog.h"

#include <memory>
#include <vector>

// Front and rear recordings carry the same drive, so the trips read one
// channel per moment: the front file where it exists, else the rear one.
namespace VRDTripChannel {

// In the catalog's order (time order).
std::vector<std::shared_ptr<const VRDMedia>> recordingsOf(const VRDMediaCatalog &catalog);

} // namespace VRDTripChannel
