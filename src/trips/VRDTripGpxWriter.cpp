#include "trips/VRDTripGpxWriter.h"

#include "trips/VRDJsonText.h"
#include "trips/VRDUtcText.h"

namespace VRDTripGpxWriter {

std::string write(const VRDTrip &trip)
{
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<gpx version=\"1.1\" creator=\"tovik\" xmlns=\"http://www.topografix.com/GPX/1/1\" "
                      "xmlns:tovik=\"urn:tovik:gpx:1\">\n"
                      "  <metadata><time>"
        + VRDUtcText::iso(trip.startUtc) + "</time></metadata>\n  <trk>\n    <name>Drive " + VRDUtcText::iso(trip.startUtc)
        + "</name>\n";
    for (const std::vector<VRDTripPoint> &stretch : trip.stretches) {
        out += "    <trkseg>\n";
        for (const VRDTripPoint &point : stretch) {
            out += "      <trkpt lat=\"" + VRDJsonText::number(point.latitude, 7) + "\" lon=\""
                + VRDJsonText::number(point.longitude, 7) + "\"><time>" + VRDUtcText::iso(point.utcSeconds)
                + "</time><extensions><tovik:speed unit=\"km/h\">" + VRDJsonText::number(point.speedKmh, 2)
                + "</tovik:speed></extensions></trkpt>\n";
        }
        out += "    </trkseg>\n";
    }
    return out + "  </trk>\n</gpx>\n";
}

std::string fileName(const VRDTrip &trip)
{
    return "trip-" + VRDUtcText::compact(trip.startUtc) + ".gpx";
}

} // namespace VRDTripGpxWriter
