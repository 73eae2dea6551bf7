#include "export/VRDSegmentCut.h"

extern "C" {
#include <libavformat/avformat.h>
}

namespace {

constexpr double kTimeSlack = 1e-4;

} // namespace

std::optional<VRDSegmentCut> VRDSegmentCut::find(const VRDAvInput &input, const VRDClipSegment &segment, std::string &error)
{
    AVStream *stream = input.videoStream();
    const double unit = av_q2d(stream->time_base);
    const std::int64_t origin = stream->start_time != AV_NOPTS_VALUE ? stream->start_time : 0;
    const int entries = avformat_index_get_entries_count(stream);
    const AVRational rate = stream->avg_frame_rate.num > 0 ? stream->avg_frame_rate : AVRational{30, 1};
    const double frameSeconds = av_q2d(av_inv_q(rate));
    const bool toTheEnd = segment.to >= segment.duration - kTimeSlack;

    std::optional<VRDSegmentCut> cut;
    for (int i = 0; i < entries; ++i) {
        const AVIndexEntry *entry = avformat_index_get_entry(stream, i);
        if (entry == nullptr || (entry->flags & AVINDEX_DISCARD_FRAME))
            continue;
        const double time = static_cast<double>(entry->timestamp - origin) * unit;
        const bool key = (entry->flags & AVINDEX_KEYFRAME) != 0;
        if (key && (!cut || time <= segment.from + kTimeSlack))
            cut = VRDSegmentCut{entry->timestamp, entry->timestamp, time, time + frameSeconds};
        if (cut && entry->timestamp >= cut->firstStamp && (toTheEnd || time <= segment.to + kTimeSlack)) {
            cut->lastStamp = entry->timestamp;
            cut->end = time + frameSeconds;
        }
    }
    if (!cut) {
        error = segment.path + ": no key frame to start from";
        return std::nullopt;
    }
    return cut;
}
