#include "repair/VRDCutOffDetector.h"

#include "repair/VRDRepairBoxes.h"

#include <cstring>

using VRDRepairBoxes::Fit;

namespace {

VRDRecordingState notCamera(std::string reason)
{
    return {VRDRecordingState::Kind::NotCamera, 0, 0, std::move(reason)};
}

VRDRecordingState cutOff(std::uint64_t begin, std::uint64_t end, std::string reason)
{
    return {VRDRecordingState::Kind::CutOff, begin, end, std::move(reason)};
}

bool isPadding(const VRDRepairBoxes::Box &box)
{
    return box.is("free") || box.is("skip") || box.is("wide");
}

} // namespace

VRDRecordingState VRDCutOffDetector::inspect(VRDByteSource &source)
{
    const std::uint64_t fileSize = source.size();
    const VRDRepairBoxes::Header fileType = VRDRepairBoxes::headerAt(source, 0, fileSize);
    char brand[4] = {};
    if (fileType.fit != Fit::Whole || !fileType.box.is("ftyp") || source.readAt(8, brand, 4) != 4
        || std::memcmp(brand, "avc1", 4) != 0)
        return notCamera("it does not start with the camera's ftyp box (brand avc1)");

    VRDRepairBoxes::Header media = VRDRepairBoxes::headerAt(source, fileType.box.end(), fileSize);
    while (media.fit == Fit::Whole && isPadding(media.box))
        media = VRDRepairBoxes::headerAt(source, media.box.end(), fileSize);
    if (media.fit == Fit::Unreadable && media.box.offset >= fileSize)
        return notCamera("it holds no media data");
    if (media.fit == Fit::Unreadable)
        return cutOff(0, 0, "it ends inside the media data's header");
    if (!media.box.is("mdat"))
        return notCamera("its media data box is missing");

    const std::uint64_t begin = media.box.payloadOffset();
    if (media.fit == Fit::PastParent)
        return cutOff(begin, fileSize, "the media data runs past the end of the file and the index is missing");

    const VRDRepairBoxes::Header movie = VRDRepairBoxes::headerAt(source, media.box.end(), fileSize);
    if (movie.fit == Fit::Whole && movie.box.is("moov"))
        return {VRDRecordingState::Kind::Healthy, begin, media.box.end(), {}};
    if (movie.box.offset >= fileSize)
        return cutOff(begin, media.box.end(), "the index after the media data is missing");
    return cutOff(begin, media.box.end(), "the index after the media data is cut short");
}
