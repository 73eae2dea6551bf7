#pragma once

#include <cstdint>
#include <optional>
#include <vector>

// When each sample of a recording was taken, relative to a base: the UTC
// second of the recording's RMC sentences when it has any, else the start
// time of its file name.
//
// Whole seconds come from the records' time values (seconds, as the camera's
// time records count them) taken relative to the first record; values that
// run backwards or leap are not seconds, and the samples are then counted at
// the camera's usual ten a second. With RMC sentences each sample is placed
// from the nearest RMC before it (the first one for the samples ahead of
// it), so the receiver's clock wins over the camera's. Samples that share a
// second spread evenly over it; a first or last second that holds fewer
// samples than the others keeps their spacing, so a recording that starts
// mid-second does not stretch its first samples.
class VRDSampleTimeline {
public:
    static constexpr int kUsualSamplesPerSecond = 10;
    // A step of the time value beyond this is not a second count.
    static constexpr std::uint32_t kLargestSecondStep = 5;

    struct Result {
        std::optional<double> rmcBaseUtc;
        std::vector<double> offsetSeconds;
    };

    // `rmcUtc` runs parallel to `times`: the RMC time of a sample's own record.
    static Result build(const std::vector<std::uint32_t> &times, const std::vector<std::optional<double>> &rmcUtc);

private:
    static std::vector<std::int64_t> wholeSeconds(const std::vector<std::uint32_t> &times);
    static std::vector<double> spread(const std::vector<std::int64_t> &seconds);
};
