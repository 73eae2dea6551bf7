#include "viewer/VRDSpeedSeries.h"

#include "trips/VRDRecordingTrackReader.h"

namespace {

constexpr double kKilometresPerMile = 1.609344;

} // namespace

VRDSpeedSeries::VRDSpeedSeries(Unit unit, std::vector<Sample> samples) : m_unit(unit), m_samples(std::move(samples)) {}

VRDSpeedSeries::Unit VRDSpeedSeries::cameraUnit(const VRDBlackBoxSnapshot &snapshot)
{
    std::size_t milesPerHour = 0;
    std::size_t fixes = 0;
    for (std::size_t index : snapshot.RecordFixIndexes) {
        if (index >= snapshot.NMEAs.size())
            continue;
        ++fixes;
        if (snapshot.NMEAs[index].flags == VRDRecordingTrackReader::kMilesPerHourFlag)
            ++milesPerHour;
    }
    return milesPerHour * 2 > fixes ? Unit::MilesPerHour : Unit::KilometresPerHour;
}

double VRDSpeedSeries::fromKilometresPerHour(double kmh, Unit unit)
{
    return unit == Unit::MilesPerHour ? kmh / kKilometresPerMile : kmh;
}

VRDSpeedSeries VRDSpeedSeries::fromSnapshot(const VRDBlackBoxSnapshot &snapshot)
{
    const Unit unit = cameraUnit(snapshot);
    const VRDRecordingTrack track = VRDRecordingTrackReader::fromSnapshot(snapshot);
    std::vector<Sample> samples;
    samples.reserve(track.samples.size());
    for (const VRDTrackSample &sample : track.samples)
        samples.push_back({fromKilometresPerHour(sample.speedKmh(), unit), sample.validFix});
    return {unit, std::move(samples)};
}
