#pragma once

#include "blackbox/VRDBlackBoxSnapshot.h"

#include <vector>

// The speed of each sample of one recording, in the unit the camera shows
// speeds in, and whether the sample's fix is plausible (the rule the trips
// use, so the graph and the drives agree on what a fix is).
class VRDSpeedSeries
{
public:
    enum class Unit { KilometresPerHour, MilesPerHour };
    struct Sample {
        double speed = 0.0;
        bool plausibleFix = false;
    };

    VRDSpeedSeries() = default;
    VRDSpeedSeries(Unit unit, std::vector<Sample> samples);

    // Empty when the snapshot's lists are not in step.
    static VRDSpeedSeries fromSnapshot(const VRDBlackBoxSnapshot &snapshot);
    // Miles per hour when most of the samples' own fixes carry the flag the
    // speed field reads as miles per hour; the camera's setting covers the
    // whole recording, so a stray flag does not change the graph's unit.
    static Unit cameraUnit(const VRDBlackBoxSnapshot &snapshot);
    static double fromKilometresPerHour(double kmh, Unit unit);

    Unit unit() const { return m_unit; }
    const std::vector<Sample> &samples() const { return m_samples; }
    bool empty() const { return m_samples.empty(); }

private:
    Unit m_unit = Unit::KilometresPerHour;
    std::vector<Sample> m_samples;
};
