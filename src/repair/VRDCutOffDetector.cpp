#include "repair/VRDCutOffDetector.h"

#include "mp4/Mp4BoxReader.h"

#include <cstring>

namespace {

VRDRecordingState notCamera(std::string reason)
{
    return {VRDRecordingState::Kind::NotCamera, 0, 0, std::move(reason)};
}

VRDRecordingState cutOff(std::uint64_t begin, std::uint64_t end, std::string reason)
{
    return {VRDRecordingState::Kind::CutOff, begin, end, std::move(reason)};
}

bool isPadding(const Mp4Box &box)
{
    return box.is("free") || box.is("skip") || box.is("wide");
}

// A parent without bounds: a top-level box is read with the size it
// declares, so a box that reaches past the end of the file (the media data
// of a recording cut off) is seen as such instead of as an error.
Mp4Box unbounded()
{
    Mp4Box box;
    box.size = UINT64_MAX / 2;
    return box;
}

} // namespace

VRDRecordingState VRDCutOffDetector::inspect(VRDByteSource &source)
{
    const std::uint64_t fileSize = source.size();
    Mp4BoxReader reader(source);
    const TKResult<Mp4Box> fileType = reader.boxAt(reader.file(), 0);
    const TKResult<std::uint32_t> brand = fileType ? reader.payload32(*fileType, 0) : TKResult<std::uint32_t>(TKError{""});
    if (!fileType || !fileType->is("ftyp") || !brand || *brand != 0x61766331) // "avc1"
        return notCamera("it does not start with the camera's ftyp box (brand avc1)");

    TKResult<Mp4Box> media = reader.boxAt(unbounded(), fileType->end());
    while (media && isPadding(*media) && media->end() <= fileSize)
        media = reader.boxAt(unbounded(), media->end());
    if (!media && fileType->end() >= fileSize)
        return notCamera("it holds no media data");
    if (!media)
        return cutOff(0, 0, "it ends inside the media data's header");
    if (!media->is("mdat"))
        return notCamera("its media data box is missing");

    const std::uint64_t begin = media->payloadOffset();
    if (media->end() > fileSize)
        return cutOff(begin, fileSize, "the media data runs past the end of the file and the index is missing");

    const TKResult<Mp4Box> movie = reader.boxAt(unbounded(), media->end());
    if (movie && movie->is("moov") && movie->end() <= fileSize)
        return {VRDRecordingState::Kind::Healthy, begin, media->end(), {}};
    if (media->end() >= fileSize)
        return cutOff(begin, media->end(), "the index after the media data is missing");
    return cutOff(begin, media->end(), "the index after the media data is cut short");
}
