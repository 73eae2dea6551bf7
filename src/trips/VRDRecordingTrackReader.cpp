#include "trips/VRDRecordingTrackReader.h"

#include "blackbox/VRDBlackBoxData.h"
#include "io/VRDFileByteSource.h"
#include "trips/VRDFixPlausibility.h"
#include "trips/VRDRmcReading.h"
#include "trips/VRDSampleTimeline.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace {

constexpr double kKilometresPerMile = 1.609344;

std::int16_t clamped16(std::int64_t value)
{
    return static_cast<std::int16_t>(
        std::clamp<std::int64_t>(value, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

std::uint16_t centiKmh(const VRDGpsData &fix)
{
    double kmh = fix.SpeedOverGround * (fix.flags == VRDRecordingTrackReader::kMilesPerHourFlag ? kKilometresPerMile : 1.0);
    if (!std::isfinite(kmh) || kmh < 0.0)
        kmh = 0.0;
    return static_cast<std::uint16_t>(std::min(std::lround(kmh * 100.0), long{std::numeric_limits<std::uint16_t>::max()}));
}

std::int32_t e7(double degrees)
{
    return static_cast<std::int32_t>(std::lround(degrees * 1e7));
}

// The median of each raw axis; of an even count the lower middle value.
std::array<std::int64_t, 3> restingValues(const std::vector<VRDAviGSensorData> &raw)
{
    std::array<std::int64_t, 3> medians{};
    if (raw.empty())
        return medians;
    std::vector<std::int32_t> axis(raw.size());
    for (int a = 0; a < 3; ++a) {
        for (std::size_t i = 0; i < raw.size(); ++i)
            axis[i] = a == 0 ? raw[i].data.X : a == 1 ? raw[i].data.Y : raw[i].data.Z;
        const auto middle = axis.begin() + static_cast<std::ptrdiff_t>((axis.size() - 1) / 2);
        std::nth_element(axis.begin(), middle, axis.end());
        medians[static_cast<std::size_t>(a)] = *middle;
    }
    return medians;
}

std::string_view textOf(const VRDAviGpsData &block)
{
    return std::string_view(block.data.gpsString, sizeof block.data.gpsString);
}

} // namespace

VRDRecordingTrack VRDRecordingTrackReader::read(const std::string &path)
{
    VRDFileByteSource file;
    if (!file.open(path))
        return {};
    return read(file);
}

VRDRecordingTrack VRDRecordingTrackReader::read(VRDByteSource &source)
{
    VRDBlackBoxData data;
    if (!data.ExtractStreamInformation(source))
        return {};
    return reduce({data.Times(), data.NMEAs(), data.RecordFixIndexes(), data.vGpsData(), data.vGSensorData()});
}

VRDRecordingTrack VRDRecordingTrackReader::fromSnapshot(const VRDBlackBoxSnapshot &snapshot)
{
    // The extractor keeps its lists in step; a snapshot assembled otherwise
    // is refused rather than read out of bounds.
    const std::size_t count = snapshot.Times.size();
    if (snapshot.RecordFixIndexes.size() != count || snapshot.vGpsData.size() != count || snapshot.vGSensorData.size() != count
        || std::any_of(snapshot.RecordFixIndexes.begin(), snapshot.RecordFixIndexes.end(),
                       [&](std::size_t index) { return index >= snapshot.NMEAs.size(); }))
        return {};
    return reduce({snapshot.Times, snapshot.NMEAs, snapshot.RecordFixIndexes, snapshot.vGpsData, snapshot.vGSensorData});
}

VRDRecordingTrack VRDRecordingTrackReader::reduce(const Lists &data)
{
    const std::size_t count = data.times.size();
    std::vector<std::optional<VRDRmcReading>> rmc(count);
    std::vector<std::optional<double>> rmcUtc(count);
    for (std::size_t i = 0; i < count; ++i) {
        rmc[i] = VRDRmcReading::find(textOf(data.texts[i]));
        if (rmc[i])
            rmcUtc[i] = rmc[i]->utcSeconds;
    }
    const VRDSampleTimeline::Result timeline = VRDSampleTimeline::build(data.times, rmcUtc);
    const std::array<std::int64_t, 3> resting = restingValues(data.gsensors);

    VRDRecordingTrack track;
    track.readable = true;
    track.rmcBaseUtc = timeline.rmcBaseUtc;
    track.samples.resize(count);
    const VRDGpsData northEast;
    const VRDGpsData *hemispheres = &northEast;
    std::size_t nextFix = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t recordFix = data.recordFixIndexes[i];
        // The entries before a record's own fix copy the parser's fix, whose
        // hemispheres the last GGA sentence set.
        if (recordFix > nextFix)
            hemispheres = &data.fixes[recordFix - 1];
        nextFix = recordFix + 1;

        const VRDGpsData &fix = data.fixes[recordFix];
        VRDTrackSample &sample = track.samples[i];
        sample.offsetSeconds = static_cast<float>(timeline.offsetSeconds[i]);
        sample.speedCentiKmh = centiKmh(fix);
        const std::optional<bool> status = rmc[i] ? std::optional<bool>(rmc[i]->statusActive) : std::nullopt;
        if (const auto position = VRDFixPlausibility::check(fix, *hemispheres, status)) {
            sample.validFix = true;
            sample.latitudeE7 = e7(position->latitude);
            sample.longitudeE7 = e7(position->longitude);
        }
        const VRDAviGSensorData::Data &raw = data.gsensors[i].data;
        sample.deviation = {clamped16(raw.X - resting[0]), clamped16(raw.Y - resting[1]), clamped16(raw.Z - resting[2])};
    }
    return track;
}
