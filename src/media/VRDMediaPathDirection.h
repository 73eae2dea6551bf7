#pragma once

#include <cstdint>
#include <string_view>

// The camera of a file that is being played, told from its path alone: a
// path ending "_R.MP4" is rear (1), "_F.MP4" front (0), in any case; anything
// else, an empty path included, is unknown (2). Unlike VRDMedia, this needs
// the extension ".mp4" and lets "_r"/"_f" count.
std::int32_t VRDMediaDirectionOfPath(std::string_view path);
bool VRDIsFrontMediaPath(std::string_view path);
bool VRDIsRearMediaPath(std::string_view path);
