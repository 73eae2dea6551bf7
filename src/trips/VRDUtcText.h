#pragma once

#include <string>

// UTC moments as text.
namespace VRDUtcText {

// "2024-03-15T07:12:00Z", with milliseconds ("…:00.25Z", trailing zeros
// dropped) where the moment has a fraction of a second.
std::string iso(double utcSeconds);
// "20240315-071200", for file names.
std::string compact(double utcSeconds);

} // namespace VRDUtcText
