#pragma once

#include "demo/DemoCardPlan.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// The standard demo card's crash: an event recording whose front and rear
// files the camera could not finish (the power went in the middle of a
// chunk: no index, a sample cut in half), between two healthy always-on
// pairs. All six are laid out as the camera streams them, data chunks among
// the media, so the cut-off files keep the samples written before the cut
// and the healthy ones serve as references for recovering them.
class DemoCutOffEvent {
public:
    using Bytes = std::vector<std::uint8_t>;

    struct Recording {
        std::string relativePath;
        DemoCardPlan::Camera camera = DemoCardPlan::Camera::Front;
        std::uint64_t firstSample = 0;
        bool cutOff = false;
    };

    // The card's cut-off files, for tests that play every recording of it.
    static constexpr std::string_view kCutOffFront = "event_20240315_093010_F.MP4";
    static constexpr std::string_view kCutOffRear = "event_20240315_093010_R.MP4";
    static bool isCutOff(std::string_view fileName);

    // Only cards with every kind of recording (the standard count or more) have it.
    static bool onCard(const DemoCardPlan::Settings &settings);

    explicit DemoCutOffEvent(const DemoCardPlan &plan);

    const std::vector<Recording> &recordings() const { return m_recordings; }
    std::vector<BlackBoxSample> samplesOf(const Recording &recording) const;

    // Writes the six files below `folder` from each camera's ffmpeg output.
    // Throws std::runtime_error on failure.
    void write(const std::string &folder, const std::map<DemoCardPlan::Camera, Bytes> &encoded) const;

private:
    const DemoCardPlan &m_plan;
    std::vector<Recording> m_recordings;
};
