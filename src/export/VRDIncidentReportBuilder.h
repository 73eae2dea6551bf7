#pragma once

#include "export/VRDClip.h"
#include "export/VRDClipPlanner.h"
#include "export/VRDClipSamples.h"
#include "export/VRDIncidentReport.h"

#include <string>

class TKTileStore;

// Gathers what the report shows about an instant of a clip: its time,
// place and speed, the stills of both cameras, the speed and G-force of
// 30 s either side (as far as the recordings that follow on reach) and
// the route over that time.
class VRDIncidentReportBuilder {
public:
    static constexpr double kHalfSpanSeconds = 30.0;

    // `instant` in chain time. Nothing is read beyond the recordings and
    // the tiles already kept in `tiles`; a picture that cannot be decoded
    // leaves its still empty and sets `error`.
    static VRDIncidentReport build(const VRDClip &clip, const VRDClipPlanner &planner, const std::string &file, double instant,
                                   const TKTileStore &tiles, std::string &error);

    // The instant of the strongest G-force among the samples, or the middle
    // of the clip without samples.
    static double strongestInstant(const VRDClip &clip, const VRDClipSamples &samples);
};
