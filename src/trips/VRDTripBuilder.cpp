#include "trips/VRDTripBuilder.h"

#include "trips/VRDExcursionFinder.h"
#include "trips/VRDGeoDistance.h"

#include <algorithm>
#include <chrono>
#include <limits>

namespace {

constexpr double kMergeSeconds = VRDExcursionFinder::kMergeSeconds;

std::optional<std::int64_t> wallSecondsOfName(const VRDMedia &media)
{
    using namespace std::chrono;
    if (media.year() == 0)
        return std::nullopt;
    const year_month_day date{year{media.year()}, month{static_cast<unsigned>(media.month())},
                              day{static_cast<unsigned>(media.day())}};
    if (!date.ok())
        return std::nullopt;
    return duration_cast<seconds>(sys_days{date}.time_since_epoch()).count() + media.hour() * 3600 + media.minute() * 60
        + media.second();
}

struct Candidate {
    VRDTripEvent event;
    double endUtc;
};

} // namespace

VRDTripBuilder::VRDTripBuilder(VRDCardProfile profile, double gapSeconds)
    : m_profile(std::move(profile)), m_gapSeconds(gapSeconds)
{
}

std::optional<double> VRDTripBuilder::baseUtc(const VRDTripRecording &recording) const
{
    if (recording.track.rmcBaseUtc)
        return recording.track.rmcBaseUtc;
    if (!recording.media)
        return std::nullopt;
    const std::optional<std::int64_t> wall = wallSecondsOfName(*recording.media);
    if (!wall)
        return std::nullopt;
    return static_cast<double>(m_profile.clock.utcFromWall(*wall));
}

std::vector<VRDTripBuilder::Placed> VRDTripBuilder::place(const std::vector<const VRDTripRecording *> &recordings) const
{
    std::vector<Placed> placed;
    for (const VRDTripRecording *each : recordings) {
        const VRDTripRecording &recording = *each;
        const std::optional<double> base = baseUtc(recording);
        if (!base || !recording.media)
            continue;
        const std::vector<VRDTrackSample> &samples = recording.track.samples;
        double start = *base;
        double end = *base;
        if (!samples.empty()) {
            const double first = samples.front().offsetSeconds;
            const double last = samples.back().offsetSeconds;
            const double period = samples.size() > 1 ? (last - first) / static_cast<double>(samples.size() - 1) : 0.0;
            start = *base + first;
            end = *base + last + period;
        }
        placed.push_back({&recording, *base, start, end});
    }
    std::stable_sort(placed.begin(), placed.end(), [](const Placed &a, const Placed &b) { return a.start < b.start; });
    return placed;
}

VRDTrip::Kind VRDTripBuilder::kindOf(const VRDMedia &media)
{
    return media.isMotionMedia() ? VRDTrip::Kind::Parking : VRDTrip::Kind::Drive;
}

VRDTrip::Kind VRDTripBuilder::eventKind(const std::vector<Placed> &placed, std::size_t index,
                                        std::optional<VRDTrip::Kind> openSpan) const
{
    for (std::size_t next = index + 1; next < placed.size(); ++next) {
        const VRDMedia &media = *placed[next].recording->media;
        if (media.isEventMedia())
            continue;
        if (placed[next].start <= placed[index].end + m_gapSeconds)
            return kindOf(media);
        break;
    }
    // Nothing drove since the car was parked.
    return openSpan.value_or(VRDTrip::Kind::Drive);
}

std::vector<VRDTrip> VRDTripBuilder::build(const std::vector<VRDTripRecording> &recordings) const
{
    std::vector<const VRDTripRecording *> pointers;
    pointers.reserve(recordings.size());
    for (const VRDTripRecording &recording : recordings)
        pointers.push_back(&recording);
    return build(pointers);
}

std::vector<VRDTrip> VRDTripBuilder::build(const std::vector<const VRDTripRecording *> &recordings) const
{
    std::vector<VRDTrip> trips;
    std::vector<Placed> span;
    VRDTrip::Kind spanKind = VRDTrip::Kind::Drive;
    double spanEnd = 0;
    const std::vector<Placed> placed = place(recordings);
    for (std::size_t i = 0; i < placed.size(); ++i) {
        const Placed &p = placed[i];
        const VRDMedia &media = *p.recording->media;
        const bool within = !span.empty() && p.start <= spanEnd + m_gapSeconds;
        VRDTrip::Kind kind = kindOf(media);
        if (media.isEventMedia())
            kind = within ? spanKind : eventKind(placed, i, span.empty() ? std::nullopt : std::optional(spanKind));
        const bool joins = !span.empty() && kind == spanKind && (within || kind == VRDTrip::Kind::Parking);
        if (!joins) {
            if (!span.empty())
                trips.push_back(assemble(spanKind, span));
            span.clear();
            spanKind = kind;
            spanEnd = p.end;
        }
        span.push_back(p);
        spanEnd = std::max(spanEnd, p.end);
    }
    if (!span.empty())
        trips.push_back(assemble(spanKind, span));
    return trips;
}

VRDTrip VRDTripBuilder::assemble(VRDTrip::Kind kind, const std::vector<Placed> &span) const
{
    VRDTrip trip;
    trip.kind = kind;
    trip.startUtc = span.front().start;
    trip.endUtc = span.front().end;
    for (const Placed &p : span) {
        trip.endUtc = std::max(trip.endUtc, p.end);
        const VRDMedia &media = *p.recording->media;
        trip.recordings.push_back(media.path());
        const VRDTripBlock::Kind blockKind = media.isEventMedia() ? VRDTripBlock::Kind::Event
            : media.isMotionMedia()                               ? VRDTripBlock::Kind::Motion
                                                                  : VRDTripBlock::Kind::Always;
        const auto &samples = p.recording->track.samples;
        const bool hasRoute = std::any_of(samples.begin(), samples.end(), [](const VRDTrackSample &s) { return s.validFix; });
        trip.blocks.push_back({blockKind, p.start, p.end, hasRoute});
    }
    addRoute(trip, span);
    addEvents(trip, span);
    return trip;
}

void VRDTripBuilder::addRoute(VRDTrip &trip, const std::vector<Placed> &span) const
{
    bool open = false;
    // The camera writes an event file while the continuous recording goes
    // on: a moment already on the route is not driven twice.
    double routeUntil = -std::numeric_limits<double>::infinity();
    for (std::size_t index = 0; index < span.size(); ++index) {
        const Placed &p = span[index];
        for (const VRDTrackSample &sample : p.recording->track.samples) {
            const double at = p.base + sample.offsetSeconds;
            if (at <= routeUntil)
                continue;
            routeUntil = at;
            if (!sample.validFix) {
                open = false;
                continue;
            }
            const VRDTripPoint point{at, sample.latitude(), sample.longitude(), sample.speedKmh(), index, at - p.start};
            if (open) {
                const VRDTripPoint &previous = trip.stretches.back().back();
                const double seconds = point.utcSeconds - previous.utcSeconds;
                const double metres = VRDGeoDistance::metres(previous.latitude, previous.longitude, point.latitude, point.longitude);
                const bool jump = metres / seconds * 3.6 > kFastestPlausibleKmh;
                if (seconds > kStretchGapSeconds || jump)
                    open = false;
                else
                    trip.distanceMetres += metres;
            }
            if (!open)
                trip.stretches.emplace_back();
            open = true;
            trip.stretches.back().push_back(point);
            trip.maxSpeedKmh = std::max(trip.maxSpeedKmh, point.speedKmh);
        }
    }
}

void VRDTripBuilder::addEvents(VRDTrip &trip, const std::vector<Placed> &span) const
{
    const std::array<double, 3> &threshold
        = trip.kind == VRDTrip::Kind::Drive ? m_profile.drivingThresholdG : m_profile.parkingThresholdG;
    std::vector<Candidate> candidates;
    std::vector<const Placed *> eventFiles;
    for (const Placed &p : span) {
        if (!p.recording->media->isEventMedia())
            continue;
        const VRDRecordingTrack &track = p.recording->track;
        const std::vector<VRDExcursion> excursions = VRDExcursionFinder::find(track, threshold);
        Candidate file{{p.start, p.recording->media->path(), 0.0, std::nullopt, true}, p.end};
        if (!excursions.empty()) {
            file.event.utcSeconds = p.base + track.samples[excursions.front().firstSample].offsetSeconds;
            file.event.offsetSeconds = file.event.utcSeconds - p.start;
            double peak = 0;
            for (const VRDExcursion &excursion : excursions)
                peak = std::max(peak, excursion.peakG);
            file.event.peakG = peak;
        } else if (!track.samples.empty()) {
            file.event.peakG = VRDExcursionFinder::largestDeviationG(track);
        }
        candidates.push_back(file);
        eventFiles.push_back(&p);
    }
    for (const Placed &p : span) {
        if (p.recording->media->isEventMedia())
            continue;
        const VRDRecordingTrack &track = p.recording->track;
        for (const VRDExcursion &excursion : VRDExcursionFinder::find(track, threshold)) {
            const double at = p.base + track.samples[excursion.firstSample].offsetSeconds;
            const double until = p.base + track.samples[excursion.lastSample].offsetSeconds;
            const auto inside = std::find_if(eventFiles.begin(), eventFiles.end(),
                                             [&](const Placed *e) { return at >= e->start && at <= e->end; });
            if (inside != eventFiles.end()) {
                VRDTripEvent &owner = candidates[static_cast<std::size_t>(inside - eventFiles.begin())].event;
                owner.peakG = std::max(owner.peakG.value_or(0.0), excursion.peakG);
                continue;
            }
            candidates.push_back({{at, p.recording->media->path(), at - p.start, excursion.peakG, false}, until});
        }
    }
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate &a, const Candidate &b) { return a.event.utcSeconds < b.event.utcSeconds; });
    std::vector<Candidate> merged;
    for (Candidate &candidate : candidates) {
        // Two event files are two events however close; an excursion near
        // another event is part of it.
        const bool separate = merged.empty() || (candidate.event.eventFile && merged.back().event.eventFile)
            || candidate.event.utcSeconds - merged.back().endUtc >= kMergeSeconds;
        if (separate) {
            merged.push_back(std::move(candidate));
            continue;
        }
        Candidate &previous = merged.back();
        const std::optional<double> peak = previous.event.peakG || candidate.event.peakG
            ? std::optional<double>(std::max(previous.event.peakG.value_or(0.0), candidate.event.peakG.value_or(0.0)))
            : std::nullopt;
        const double end = std::max(previous.endUtc, candidate.endUtc);
        if (candidate.event.eventFile && !previous.event.eventFile)
            previous.event = std::move(candidate.event);
        previous.event.peakG = peak;
        previous.endUtc = end;
    }
    for (Candidate &candidate : merged)
        trip.events.push_back(std::move(candidate.event));
}
