// Any bytes as a recording's file name: parsing, the acceptance test, the
// pairing and the camera-from-path query must neither crash nor break their
// promises.
#include "media/VRDMedia.h"
#include "media/VRDMediaCatalog.h"
#include "media/VRDMediaPathDirection.h"
#include "media/VRDMediaWalker.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

void checkMedia(const VRDMedia &media)
{
    require(media.yyyymmddhhmiss().size() == 14);
    require(media.compareDate(media) == 0);
    require(media.mediaDivision() >= VRDMedia::DivisionAlways && media.mediaDivision() <= VRDMedia::DivisionEvent);
    require(media.mediaDirection() >= VRDMedia::DirectionFront && media.mediaDirection() <= VRDMedia::DirectionUnknown);
    if (media.year() != 0) {
        require(media.year() >= 1970 && media.year() <= 2700);
        require(media.month() >= 1 && media.month() <= 12);
        require(media.day() >= 1 && media.day() <= 31);
        require(media.hour() <= 24 && media.minute() <= 60 && media.second() <= 60);
    }
    const VRDMedia reference("/card/alwa_20230115_143005_F.MP4");
    const int there = media.compareDate(reference);
    const int back = reference.compareDate(media);
    require((there < 0 && back > 0) || (there > 0 && back < 0) || (there == 0 && back == 0));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string name(reinterpret_cast<const char *>(data), size);
    checkMedia(VRDMedia(name));
    const std::string path = "/card/DCIM/" + name;
    checkMedia(VRDMedia(path));

    const std::int32_t direction = VRDMediaDirectionOfPath(name);
    require(direction >= VRDMedia::DirectionFront && direction <= VRDMedia::DirectionUnknown);

    if (const std::shared_ptr<const VRDMedia> media = VRDMediaWalker::createMediaByPath(path)) {
        require(VRDMedia::hasRecordingNameLength(media->mediaName()));
        require(media->mediaName().ends_with("_F") || media->mediaName().ends_with("_R"));
        VRDMediaCatalog catalog;
        catalog.addMedia(media);
        const auto pair = catalog.findMediaPairWithFileName(media->fileName());
        require(pair.has_value());
        require(catalog.findMediaPairWithFileName(media->path()).has_value());
        if (media->isFrontMedia())
            require(pair->frontMedia == media);
        if (media->isRearMedia())
            require(pair->rearMedia == media);
    }
    return 0;
}
