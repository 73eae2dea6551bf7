#pragma once

#include "media/VRDRecoveredPreference.h"
#include "repair/VRDRepairOutcome.h"
#include "repair/VRDReferenceRecording.h"

#include <optional>
#include <string>

struct VRDRepairRequest {
    std::string input;
    std::string reference = {}; // empty: the nearest healthy recording of the same camera on the card
    std::string output = {};    // empty: RECOVERED/<the same name> beside the input
    bool force = false;    // replace an existing output
};

// Rebuilds a recording that the camera could not finish: the media data is
// scanned sample by sample with a healthy reference recording's set-up and
// written as a new recording in the camera's layout, under a temporary name
// that becomes the output only when the file is complete. The input is only
// ever opened for reading.
class VRDRecordingRepairer {
public:
    static constexpr const char *kRecoveredFolder = VRDRecoveredPreference::kFolderName;

    static std::string defaultOutputPath(const std::string &input);
    // True when the file is the camera's and cut off.
    static bool isCutOff(const std::string &path);

    static VRDRepairOutcome repair(const VRDRepairRequest &request);

private:
    struct Reference {
        std::string path;
        VRDReferenceRecording recording;
    };

    static std::optional<Reference> chooseReference(const VRDRepairRequest &request, VRDByteSource &input,
                                                    std::uint64_t mediaBegin, std::uint64_t mediaEnd, std::string &error);
    static bool fits(const VRDReferenceRecording &reference, VRDByteSource &input, std::uint64_t mediaBegin,
                     std::uint64_t mediaEnd);
    static bool rebuild(const Reference &reference, VRDByteSource &input,
                        std::uint64_t mediaBegin, std::uint64_t mediaEnd, VRDRepairOutcome &outcome);
};
