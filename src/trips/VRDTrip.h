#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// One point of a route: a plausible fix at its moment, and where in which
// recording that moment plays.
struct VRDTripPoint {
    double utcSeconds = 0;
    double latitude = 0;  // signed decimal degrees
    double longitude = 0;
    double speedKmh = 0;
    std::size_t recording = 0;  // index into VRDTrip::recordings
    double offsetSeconds = 0;   // from that recording's first sample
};

struct VRDTripEvent {
    double utcSeconds = 0;
    std::string file;          // the recording it happened in
    double offsetSeconds = 0;  // from that recording's first sample
    std::optional<double> peakG; // largest deviation from rest; none without samples
    bool eventFile = false;    // the camera's own event recording
};

// One recording on a span's time line.
struct VRDTripBlock {
    enum class Kind { Always, Motion, Event };

    Kind kind = Kind::Always;
    double startUtc = 0;
    double endUtc = 0;     // the start again when its length is not known
    bool hasRoute = false; // it holds at least one plausible fix
};

// A drive (recordings that follow each other) or a parking span (motion
// recordings), with the statistics of the one channel it was read from.
struct VRDTrip {
    enum class Kind { Drive, Parking };

    Kind kind = Kind::Drive;
    double startUtc = 0;
    double endUtc = 0;
    double distanceMetres = 0;
    double maxSpeedKmh = 0;
    std::vector<VRDTripEvent> events;
    // One recording per moment, in time order, and where each lies in time.
    std::vector<std::string> recordings;
    std::vector<VRDTripBlock> blocks;
    // Stretches of plausible fixes; a gap in the fixes starts a new one.
    std::vector<std::vector<VRDTripPoint>> stretches;

    double durationSeconds() const { return endUtc - startUtc; }
    double averageSpeedKmh() const { return durationSeconds() > 0 ? distanceMetres / durationSeconds() * 3.6 : 0.0; }
    // The route's point nearest to a place, or null
    // when the drive has no route.
    const VRDTripPoint *nearestPoint(double latitude, double longitude) const;
    // The route's point nearest in time to a moment, or null when the drive
    // has no route.
    const VRDTripPoint *pointNearestInTime(double utcSeconds) const;
};
