#include "media/VRDMediaPathDirection.h"

#include "media/VRDMedia.h"

#include <algorithm>
#include <cctype>

namespace {

bool endsWithIgnoringCase(std::string_view text, std::string_view suffix)
{
    if (text.size() < suffix.size())
        return false;
    return std::equal(suffix.begin(), suffix.end(), text.end() - static_cast<std::ptrdiff_t>(suffix.size()),
        [](char a, char b) {
            return std::toupper(static_cast<unsigned char>(a)) == std::toupper(static_cast<unsigned char>(b));
        });
}

} // namespace

std::int32_t VRDMediaDirectionOfPath(std::string_view path)
{
    if (endsWithIgnoringCase(path, "_R.MP4"))
        return VRDMedia::DirectionRear;
    if (endsWithIgnoringCase(path, "_F.MP4"))
        return VRDMedia::DirectionFront;
    return VRDMedia::DirectionUnknown;
}

bool VRDIsFrontMediaPath(std::string_view path)
{
    return VRDMediaDirectionOfPath(path) == VRDMedia::DirectionFront;
}

bool VRDIsRearMediaPath(std::string_view path)
{
    return VRDMediaDirectionOfPath(path) == VRDMedia::DirectionRear;
}
