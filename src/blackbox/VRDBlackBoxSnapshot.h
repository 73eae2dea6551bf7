#pragma once

#include "blackbox/VRDAviGSensorData.h"
#include "blackbox/VRDAviGpsData.h"
#include "blackbox/VRDGSensor.h"
#include "blackbox/VRDGpsData.h"
#include "blackbox/VRDTimeEvent.h"

#include <cstdint>
#include <vector>

// The lists of one finished extraction, handed from the background job to
// the windows as an immutable value.
struct VRDBlackBoxSnapshot {
    std::vector<VRDGpsData> NMEAs;
    std::vector<VRDGSensor> GSensors;
    std::vector<std::uint32_t> Times;
    std::vector<VRDTimeEvent> TimeEvents;
    std::vector<VRDAviGSensorData> vGSensorData;
    std::vector<VRDAviGpsData> vGpsData;
    // Index into NMEAs of each sample's own fix, the one decoded from its
    // record (the entries before it duplicate the parser's fix).
    std::vector<std::size_t> RecordFixIndexes;

    // The number of samples minus one, but 1 for fewer than two samples.
    std::uint64_t frameCount() const { return GSensors.size() < 2 ? 1 : GSensors.size() - 1; }
};
