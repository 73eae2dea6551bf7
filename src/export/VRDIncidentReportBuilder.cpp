#include "export/VRDIncidentReportBuilder.h"

#include "export/VRDClipName.h"
#include "export/VRDClipSamples.h"
#include "export/VRDStillDecoder.h"

#include <chrono>
#include <cmath>
#include <cstdio>

namespace {

// "yyyy-mm-dd hh:mm:ss.t" of seconds since 1970, to the nearest tenth.
std::string tenths(double seconds)
{
    const long long count = std::llround(seconds * 10);
    const long long whole = count >= 0 ? count / 10 : (count - 9) / 10;
    return VRDClipName::dateTimeText(whole) + "." + std::to_string(count - whole * 10);
}

} // namespace

double VRDIncidentReportBuilder::strongestInstant(const VRDClip &clip, const VRDClipSamples &samples)
{
    std::optional<std::size_t> strongest;
    double peak = -1;
    for (std::size_t i = 0; i < samples.count(); ++i) {
        const double g = VRDSampleText::gForce(samples.snapshot().GSensors[i]);
        if (samples.chainTime(i) >= clip.from && samples.chainTime(i) <= clip.to && g > peak) {
            peak = g;
            strongest = i;
        }
    }
    return strongest ? samples.chainTime(*strongest) : (clip.from + clip.to) / 2;
}

VRDIncidentReport VRDIncidentReportBuilder::build(const VRDClip &clip, const VRDClipPlanner &planner, const std::string &file,
                                                  double instant, const TKTileStore &tiles, std::string &error)
{
    VRDIncidentReport report;
    report.clipName = clip.groupName;
    const double localInstant = static_cast<double>(clip.recordingStartLocal) + instant;
    report.localTime = tenths(localInstant);

    std::string readError;
    const std::optional<VRDClipSamples> around =
        VRDClipSamples::read(planner.stretch(file, instant - kHalfSpanSeconds, instant + kHalfSpanSeconds), readError);
    report.speedSeries = {"Speed", "km/h", {}};
    report.gForceSeries = {"G-force |g|", "g", {}};
    if (around) {
        for (std::size_t i = 0; i < around->count(); ++i) {
            const double t = around->chainTime(i) - instant;
            const VRDGpsData &fix = around->fix(i);
            if (VRDSampleText::milesPerHour(fix))
                report.speedSeries.unit = "mph";
            if (std::isfinite(fix.SpeedOverGround))
                report.speedSeries.points.emplace_back(t, fix.SpeedOverGround);
            report.gForceSeries.points.emplace_back(t, VRDSampleText::gForce(around->snapshot().GSensors[i]));
            if (const auto where = VRDSampleText::position(fix))
                report.route.push_back(*where);
        }
        if (const std::optional<std::size_t> at = around->sampleAt(instant)) {
            const VRDGpsData &fix = around->fix(*at);
            report.position = VRDSampleText::position(fix);
            report.speed = VRDSampleText::speed(fix);
            if (const std::optional<double> utc = around->utcSeconds(*at))
                report.utcTime = tenths(*utc + (instant - around->chainTime(*at))) + " UTC";
        }
    }
    report.map = VRDReportMapPicture::compose(tiles, report.route);
    for (const VRDClipChannel &channel : clip.channels) {
        std::string stillError;
        QImage still = VRDStillDecoder::pictureAt(channel, instant, stillError);
        if (still.isNull() && error.empty())
            error = stillError;
        (channel.front ? report.frontStill : report.rearStill) = std::move(still);
    }
    return report;
}
