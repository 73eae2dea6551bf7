#pragma once

#include <string>
#include <vector>

// Healthy-looking recordings of the same camera near a cut-off one on the
// card, nearest in time first: the same camera suffix ("_F"/"_R") from the
// recording's folder, its parent and the parent's other folders (the card's
// event and normal folders), never a RECOVERED folder or the file itself.
// Whether one really fits is for the caller to try.
class VRDReferenceFinder {
public:
    static constexpr std::size_t kMostCandidates = 8;

    static std::vector<std::string> candidates(const std::string &cutOffPath);
};
