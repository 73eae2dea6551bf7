#pragma once

#include "trips/VRDCardProfile.h"
#include "trips/VRDTrip.h"
#include "trips/VRDTripRecording.h"

#include <optional>
#include <vector>

// Groups the moments of a card into drives and parking spans and works out
// each one's statistics, route and events.
//
// Recordings follow each other into one drive when the next starts within
// the gap of the previous one's end. Motion recordings (parking) form
// parking spans of their own, which end at the next drive recording; an
// event file joins the span it falls into or the recording it leads into. Events are
// the event files and the G-sensor excursions (driving thresholds in
// drives, parking thresholds in parking spans); an excursion within an event
// file's time is that file's event, and events closer than 5 s are one.
class VRDTripBuilder {
public:
    static constexpr double kDefaultGapSeconds = 120.0;
    // Fixes further apart than this in time start a new stretch of route.
    static constexpr double kStretchGapSeconds = 5.0;
    // A step between two fixes faster than this is a jump, not a drive.
    static constexpr double kFastestPlausibleKmh = 400.0;

    explicit VRDTripBuilder(VRDCardProfile profile, double gapSeconds = kDefaultGapSeconds);

    // Spans in time order. Recordings that can be placed in time neither by
    // an RMC sentence nor by their file name are left out.
    std::vector<VRDTrip> build(const std::vector<VRDTripRecording> &recordings) const;
    // The same for recordings that live elsewhere (some of a card still
    // being read); none may be null.
    std::vector<VRDTrip> build(const std::vector<const VRDTripRecording *> &recordings) const;

    // The UTC second a recording's sample offsets count from.
    std::optional<double> baseUtc(const VRDTripRecording &recording) const;

private:
    struct Placed {
        const VRDTripRecording *recording;
        double base;
        double start;
        double end;
    };

    static VRDTrip::Kind kindOf(const VRDMedia &media);
    std::vector<Placed> place(const std::vector<const VRDTripRecording *> &recordings) const;
    // The span kind of an event file beyond the gap of the open span: that
    // of the next recording when it follows within the gap, else the open
    // parking span's (nothing drove since), else a drive.
    VRDTrip::Kind eventKind(const std::vector<Placed> &placed, std::size_t index, std::optional<VRDTrip::Kind> openSpan) const;
    VRDTrip assemble(VRDTrip::Kind kind, const std::vector<Placed> &span) const;
    void addRoute(VRDTrip &trip, const std::vector<Placed> &span) const;
    void addEvents(VRDTrip &trip, const std::vector<Placed> &span) const;

    VRDCardProfile m_profile;
    double m_gapSeconds;
};
