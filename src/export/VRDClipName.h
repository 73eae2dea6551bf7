#pragma once

#include "media/VRDMedia.h"

#include <optional>
#include <string>

// Names of the camera's kind: "<prefix>yyyymmdd_hhmiss" with a time that
// the clip moved on from the recording's own.
namespace VRDClipName {

// Seconds since 1970 of the local time the recording's name tells, or
// nothing when its name has no time.
std::optional<long long> localStart(const VRDMedia &media);

// The media's name without camera suffix, its time field replaced by the
// given local time (seconds since 1970).
std::string groupNameAt(const VRDMedia &media, long long localSeconds);

// "yyyy-mm-dd hh:mm:ss" of seconds since 1970 (no zone is applied).
std::string dateTimeText(long long seconds);

} // namespace VRDClipName
