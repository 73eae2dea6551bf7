#include "media/VRDMediaNamePrefix.h"

#include "media/VRDMedia.h"

#include <array>

namespace {

constexpr std::array<VRDMediaNamePrefix, 7> kPrefixes{{
    {"alwa_", VRDMedia::DivisionAlways, 5},
    {"motion_", VRDMedia::DivisionMotion, 7},
    {"event_", VRDMedia::DivisionEvent, 6},
    {"evtA_", VRDMedia::DivisionEvent, 5},
    {"evtF_", VRDMedia::DivisionEvent, 5},
    {"evtLL_", VRDMedia::DivisionEvent, 6},
    {"evtLR_", VRDMedia::DivisionEvent, 6},
}};

} // namespace

const VRDMediaNamePrefix *VRDMediaNamePrefix::find(std::string_view mediaName)
{
    for (const VRDMediaNamePrefix &candidate : kPrefixes) {
        if (mediaName.starts_with(candidate.prefix))
            return &candidate;
    }
    return nullptr;
}
