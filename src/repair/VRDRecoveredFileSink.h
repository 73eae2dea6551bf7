#pragma once

#include "mp4/VRDCameraMp4Writer.h"
#include "repair/VRDRecoveredSampleSink.h"
#include "repair/VRDReferenceRecording.h"

#include <optional>

// Writes the samples a scan finds into a new recording in the camera's
// layout, with the reference's track set-up and sample durations; the
// writer's chunks follow the order the samples come in, so the camera's
// interleaving carries over.
class VRDRecoveredFileSink final : public VRDRecoveredSampleSink {
public:
    VRDRecoveredFileSink(VRDCameraMp4Writer &writer, const VRDReferenceRecording &reference);

    // False when the reference's tracks cannot be set up (writer.error() says why).
    bool ready() const { return m_ready; }

    bool video(std::span<const std::uint8_t> sample, bool keyFrame) override;
    bool audio(std::span<const std::uint8_t> frame) override;
    bool data(std::span<const std::uint8_t> chunk) override;

private:
    static VRDCameraMp4Writer::TrackSetup setupOf(const VRDReferenceTrack &track);

    VRDCameraMp4Writer &m_writer;
    std::optional<int> m_videoTrack;
    std::optional<int> m_audioTrack;
    std::uint32_t m_videoDuration = 0;
    std::uint32_t m_audioDuration = 0;
    std::uint32_t m_dataDuration = 0;
    bool m_ready = false;
};
