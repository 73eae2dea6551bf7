#include "trips/VRDTripsJsonWriter.h"

#include "trips/VRDJsonText.h"
#include "trips/VRDUtcText.h"

namespace {

using VRDJsonText::number;

std::string eventsJson(const std::vector<VRDTripEvent> &events)
{
    std::string out = "[";
    for (const VRDTripEvent &event : events) {
        if (out.size() > 1)
            out += ",";
        out += "{\"time\":\"" + VRDUtcText::iso(event.utcSeconds) + "\",\"file\":" + VRDJsonText::string(event.file)
            + ",\"offsetSeconds\":" + number(event.offsetSeconds, 3)
            + ",\"peakG\":" + (event.peakG ? number(*event.peakG, 3) : std::string("null")) + "}";
    }
    return out + "]";
}

std::string recordingsJson(const std::vector<std::string> &recordings)
{
    std::string out = "[";
    for (const std::string &path : recordings) {
        if (out.size() > 1)
            out += ",";
        out += VRDJsonText::string(path);
    }
    return out + "]";
}

std::string spanJson(const VRDTrip &trip)
{
    std::string out = "{\"start\":\"" + VRDUtcText::iso(trip.startUtc) + "\",\"end\":\"" + VRDUtcText::iso(trip.endUtc)
        + "\",\"durationSeconds\":" + number(trip.durationSeconds(), 3);
    if (trip.kind == VRDTrip::Kind::Drive) {
        out += ",\"distanceMeters\":" + number(trip.distanceMetres, 1) + ",\"maxSpeedKmh\":" + number(trip.maxSpeedKmh, 1)
            + ",\"averageSpeedKmh\":" + number(trip.averageSpeedKmh(), 1);
    }
    return out + ",\"events\":" + eventsJson(trip.events) + ",\"recordings\":" + recordingsJson(trip.recordings) + "}";
}

std::string listJson(const std::vector<VRDTrip> &trips, VRDTrip::Kind kind)
{
    std::string out = "[";
    for (const VRDTrip &trip : trips) {
        if (trip.kind != kind)
            continue;
        out += out.size() > 1 ? ",\n    " : "\n    ";
        out += spanJson(trip);
    }
    return out + (out.size() > 1 ? "\n  ]" : "]");
}

} // namespace

namespace VRDTripsJsonWriter {

std::string write(const std::string &directory, const std::vector<VRDTrip> &trips)
{
    return "{\n  \"directory\": " + VRDJsonText::string(directory) + ",\n  \"trips\": " + listJson(trips, VRDTrip::Kind::Drive)
        + ",\n  \"parking\": " + listJson(trips, VRDTrip::Kind::Parking) + "\n}\n";
}

} // namespace VRDTripsJsonWriter
