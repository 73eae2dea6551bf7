#include "viewer/VRDSpeedGraphGeometry.h"

#include <algorithm>
#include <cmath>

namespace {

double fastestShown(const VRDSpeedSeries &series)
{
    double plausible = 0.0;
    double any = 0.0;
    bool anyPlausible = false;
    for (const VRDSpeedSeries::Sample &sample : series.samples()) {
        if (!std::isfinite(sample.speed))
            continue;
        any = std::max(any, sample.speed);
        if (sample.plausibleFix) {
            plausible = std::max(plausible, sample.speed);
            anyPlausible = true;
        }
    }
    return anyPlausible ? plausible : any;
}

} // namespace

VRDSpeedGraphGeometry::VRDSpeedGraphGeometry(const VRDSpeedSeries &series, Area area)
    : m_series(series), m_area(area)
{
    const double fastest = fastestShown(series);
    m_step = scaleStep(fastest);
    m_top = scaleTop(fastest);
}

int VRDSpeedGraphGeometry::scaleStep(double fastest)
{
    constexpr int kMultipliers[] = {1, 2, 5};
    // Past a million a recorded speed is garbage; the largest step then does.
    for (int decade = 10; decade < 1'000'000; decade *= 10) {
        for (int multiplier : kMultipliers) {
            const int step = decade * multiplier;
            if (!(fastest > step * kMostSteps))
                return step;
        }
    }
    return 1'000'000;
}

int VRDSpeedGraphGeometry::scaleTop(double fastest)
{
    const int step = scaleStep(fastest);
    const double steps = std::isfinite(fastest) ? std::ceil(fastest / step) : 0.0;
    return step * std::clamp(static_cast<int>(steps), kFewestSteps, kMostSteps);
}

std::vector<VRDSpeedGraphGeometry::Tick> VRDSpeedGraphGeometry::ticks() const
{
    std::vector<Tick> result;
    for (int speed = 0; speed <= m_top; speed += m_step)
        result.push_back({yAt(speed), speed});
    return result;
}

std::vector<VRDSpeedGraphGeometry::Point> VRDSpeedGraphGeometry::curve() const
{
    const std::vector<VRDSpeedSeries::Sample> &samples = m_series.samples();
    std::vector<Point> points;
    points.reserve(samples.size());
    const auto count = static_cast<double>(samples.size());
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double speed = std::isfinite(samples[i].speed) ? samples[i].speed : 0.0;
        points.push_back({xAt((static_cast<double>(i) + 0.5) / count), yAt(speed)});
    }
    return points;
}

std::vector<VRDSpeedGraphGeometry::Band> VRDSpeedGraphGeometry::poorFixBands() const
{
    const std::vector<VRDSpeedSeries::Sample> &samples = m_series.samples();
    const auto count = static_cast<double>(samples.size());
    std::vector<Band> bands;
    std::size_t i = 0;
    while (i < samples.size()) {
        if (samples[i].plausibleFix) {
            ++i;
            continue;
        }
        const std::size_t first = i;
        while (i < samples.size() && !samples[i].plausibleFix)
            ++i;
        bands.push_back({xAt(static_cast<double>(first) / count), xAt(static_cast<double>(i) / count)});
    }
    return bands;
}

double VRDSpeedGraphGeometry::cursorX(double position) const
{
    return xAt(std::isfinite(position) ? std::clamp(position, 0.0, 1.0) : 0.0);
}

double VRDSpeedGraphGeometry::xAt(double fraction) const
{
    return m_area.left + m_area.width * fraction;
}

double VRDSpeedGraphGeometry::yAt(double speed) const
{
    const double clamped = std::clamp(speed, 0.0, static_cast<double>(m_top));
    return m_area.top + m_area.height * (1.0 - clamped / m_top);
}
