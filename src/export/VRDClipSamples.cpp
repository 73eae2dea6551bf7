#include "export/VRDClipSamples.h"

#include "blackbox/VRDBlackBoxData.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>

namespace {

// Time values below this are a clock that was never set (the first second
// of 2000, UTC); such a track tells no time.
constexpr std::uint32_t kEarliestClock = 946684800;

// The UTC time of every sample: the track's time value counts whole
// seconds, so the sample where it steps marks a second's start and the
// samples around it take their share of the second from there.
std::vector<double> utcTimes(const std::vector<std::uint32_t> &times, double sampleSeconds)
{
    std::vector<double> utc(times.size(), std::numeric_limits<double>::quiet_NaN());
    std::size_t step = 0;
    for (std::size_t i = 1; i < times.size(); ++i) {
        if (times[i] == times[i - 1] + 1) {
            step = i;
            break;
        }
    }
    for (std::size_t i = 0; i < times.size(); ++i) {
        if (times[i] < kEarliestClock)
            continue;
        utc[i] = step > 0 ? times[step] + (static_cast<double>(i) - static_cast<double>(step)) * sampleSeconds
                          : static_cast<double>(times[i]);
    }
    return utc;
}

} // namespace

std::pair<std::size_t, std::size_t> VRDClipSamples::sampleRange(std::size_t count, double duration, double from, double to)
{
    if (count == 0 || duration <= 0 || to < from)
        return {0, 0};
    const double perSecond = static_cast<double>(count) / duration;
    const auto first = static_cast<std::size_t>(std::clamp(std::floor(from * perSecond + 1e-9), 0.0, static_cast<double>(count)));
    const auto last = static_cast<std::size_t>(std::clamp(std::ceil(to * perSecond - 1e-9), 0.0, static_cast<double>(count)));
    return {first, std::max(first, last)};
}

std::optional<VRDClipSamples> VRDClipSamples::read(const std::vector<VRDClipSegment> &segments, std::string &error)
{
    VRDClipSamples samples;
    for (const VRDClipSegment &segment : segments) {
        std::error_code fileError;
        if (!std::filesystem::is_regular_file(segment.path, fileError)) {
            error = segment.path + ": cannot read the recording";
            return std::nullopt;
        }
        VRDBlackBoxData data;
        if (!data.ExtractStreamInformation(segment.path))
            continue;
        const auto snapshot = data.snapshot();
        const std::size_t count = snapshot->GSensors.size();
        const auto [first, last] = sampleRange(count, segment.duration, segment.from, segment.to);
        samples.append(*snapshot, first, last, segment.chainStart, count > 0 ? segment.duration / static_cast<double>(count) : 0);
    }
    return samples;
}

void VRDClipSamples::append(const VRDBlackBoxSnapshot &source, std::size_t first, std::size_t last, double chainStart,
                            double sampleSeconds)
{
    if (first >= last)
        return;
    const std::vector<double> utc = utcTimes(source.Times, sampleSeconds);
    const std::size_t fixFirst = first == 0 ? 0 : source.RecordFixIndexes[first - 1] + 1;
    const std::size_t fixLast = source.RecordFixIndexes[last - 1] + 1;
    const std::size_t fixBase = m_snapshot.NMEAs.size();
    m_snapshot.NMEAs.insert(m_snapshot.NMEAs.end(), source.NMEAs.begin() + static_cast<std::ptrdiff_t>(fixFirst),
                            source.NMEAs.begin() + static_cast<std::ptrdiff_t>(fixLast));
    const auto from = static_cast<std::ptrdiff_t>(first), to = static_cast<std::ptrdiff_t>(last);
    m_snapshot.GSensors.insert(m_snapshot.GSensors.end(), source.GSensors.begin() + from, source.GSensors.begin() + to);
    m_snapshot.Times.insert(m_snapshot.Times.end(), source.Times.begin() + from, source.Times.begin() + to);
    m_snapshot.vGSensorData.insert(m_snapshot.vGSensorData.end(), source.vGSensorData.begin() + from,
                                   source.vGSensorData.begin() + to);
    m_snapshot.vGpsData.insert(m_snapshot.vGpsData.end(), source.vGpsData.begin() + from, source.vGpsData.begin() + to);
    for (std::size_t i = first; i < last; ++i) {
        m_snapshot.RecordFixIndexes.push_back(fixBase + source.RecordFixIndexes[i] - fixFirst);
        m_chainTimes.push_back(chainStart + static_cast<double>(i) * sampleSeconds);
        m_utcSeconds.push_back(utc[i]);
    }
}

std::optional<double> VRDClipSamples::utcSeconds(std::size_t sample) const
{
    if (sample >= m_utcSeconds.size() || std::isnan(m_utcSeconds[sample]))
        return std::nullopt;
    return m_utcSeconds[sample];
}

std::optional<std::size_t> VRDClipSamples::sampleAt(double chainTime) const
{
    const auto after = std::upper_bound(m_chainTimes.begin(), m_chainTimes.end(), chainTime + 1e-9);
    if (after == m_chainTimes.begin())
        return std::nullopt;
    return static_cast<std::size_t>(after - m_chainTimes.begin() - 1);
}

VRDClipSamples VRDClipSamples::between(double from, double to) const
{
    VRDClipSamples part;
    std::size_t i = 0;
    while (i < count() && m_chainTimes[i] < from - 1e-9)
        ++i;
    for (; i < count() && m_chainTimes[i] <= to + 1e-9; ++i) {
        part.m_snapshot.NMEAs.push_back(fix(i));
        part.m_snapshot.RecordFixIndexes.push_back(part.m_snapshot.NMEAs.size() - 1);
        part.m_snapshot.GSensors.push_back(m_snapshot.GSensors[i]);
        part.m_snapshot.Times.push_back(m_snapshot.Times[i]);
        part.m_snapshot.vGSensorData.push_back(m_snapshot.vGSensorData[i]);
        part.m_snapshot.vGpsData.push_back(m_snapshot.vGpsData[i]);
        part.m_chainTimes.push_back(m_chainTimes[i]);
        part.m_utcSeconds.push_back(m_utcSeconds[i]);
    }
    return part;
}
