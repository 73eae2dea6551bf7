#include "trips/VRDTripsTextWriter.h"

#include "trips/VRDUtcText.h"

#include <cmath>
#include <cstdio>

namespace {

std::string duration(double seconds)
{
    const long whole = std::lround(seconds);
    char text[32];
    std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", whole / 3600, whole / 60 % 60, whole % 60);
    return text;
}

std::string row(const VRDTrip &trip)
{
    const bool drive = trip.kind == VRDTrip::Kind::Drive;
    std::string start = VRDUtcText::iso(std::floor(trip.startUtc));
    start[10] = ' ';
    start.pop_back();
    char text[256];
    if (drive) {
        std::snprintf(text, sizeof text, "%-8s %-19s  %8s  %8.2f  %6.1f  %6.1f  %6zu  %10zu\n", "drive", start.c_str(),
                      duration(trip.durationSeconds()).c_str(), trip.distanceMetres / 1000.0, trip.maxSpeedKmh,
                      trip.averageSpeedKmh(), trip.events.size(), trip.recordings.size());
    } else {
        std::snprintf(text, sizeof text, "%-8s %-19s  %8s  %8s  %6s  %6s  %6zu  %10zu\n", "parking", start.c_str(),
                      duration(trip.durationSeconds()).c_str(), "-", "-", "-", trip.events.size(), trip.recordings.size());
    }
    return text;
}

} // namespace

namespace VRDTripsTextWriter {

std::string write(const std::string &directory, const std::vector<VRDTrip> &trips)
{
    std::string out = "Drives and parking in " + directory + " (times in UTC)\n";
    if (trips.empty())
        return out + "no recordings with a known time\n";
    char header[256];
    std::snprintf(header, sizeof header, "%-8s %-19s  %8s  %8s  %6s  %6s  %6s  %10s\n", "kind", "start", "duration", "km",
                  "top", "avg", "events", "recordings");
    out += header;
    for (const VRDTrip &trip : trips)
        out += row(trip);
    return out;
}

} // namespace VRDTripsTextWriter
