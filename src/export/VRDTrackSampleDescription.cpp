#include "export/VRDTrackSampleDescription.h"

#include "mp4/Mp4BoxChildren.h"
#include "mp4/Mp4BoxReader.h"

namespace {

// A sample description holds a few codec headers; far below this.
constexpr std::uint64_t kLargestDescription = 1 << 20;

void appendBigEndian32(std::vector<std::uint8_t> &out, std::uint64_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

} // namespace

namespace VRDTrackSampleDescription {

std::vector<std::uint8_t> read(VRDByteSource &source, std::uint32_t trackId, std::string &error)
{
    Mp4BoxReader reader(source);
    const TKResult<Mp4Box> moov = reader.child(reader.file(), "moov");
    if (!moov) {
        error = moov.error();
        return {};
    }
    Mp4BoxChildren tracks(reader, *moov);
    for (Mp4Box trak; tracks.next(trak);) {
        if (!trak.is("trak"))
            continue;
        const TKResult<Mp4Box> tkhd = reader.child(trak, "tkhd");
        if (!tkhd)
            continue;
        const TKResult<std::uint32_t> versionAndFlags = reader.payload32(*tkhd, 0);
        if (!versionAndFlags)
            continue;
        // track_ID follows the creation and modification times, 32 or 64 bits each.
        const TKResult<std::uint32_t> id = reader.payload32(*tkhd, (*versionAndFlags >> 24) == 1 ? 20 : 12);
        if (!id || *id != trackId)
            continue;
        TKResult<Mp4Box> box = reader.child(trak, "mdia");
        for (const char *type : {"minf", "stbl", "stsd"}) {
            if (!box)
                break;
            box = reader.child(*box, type);
        }
        if (!box) {
            error = box.error();
            return {};
        }
        const TKResult<std::vector<std::uint8_t>> payload = reader.payload(*box, kLargestDescription);
        if (!payload) {
            error = payload.error();
            return {};
        }
        std::vector<std::uint8_t> description;
        appendBigEndian32(description, 8 + payload->size());
        description.insert(description.end(), {'s', 't', 's', 'd'});
        description.insert(description.end(), payload->begin(), payload->end());
        return description;
    }
    error = tracks.failed() ? tracks.error() : "no track " + std::to_string(trackId);
    return {};
}

} // namespace VRDTrackSampleDescription
