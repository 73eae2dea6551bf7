#pragma once

#include <functional>
#include <string_view>

// Receives the diagnostic lines of the core, one call per line. An empty sink
// drops them.
using VRDLogSink = std::function<void(std::string_view line)>;
