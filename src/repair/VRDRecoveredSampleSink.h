#pragma once

#include <cstdint>
#include <span>

// Takes the samples a scan finds, in media-data order. Each call answers
// false to stop the scan (the output cannot be written).
class VRDRecoveredSampleSink {
public:
    virtual ~VRDRecoveredSampleSink() = default;

    virtual bool video(std::span<const std::uint8_t> sample, bool keyFrame) = 0;
    virtual bool audio(std::span<const std::uint8_t> frame) = 0;
    virtual bool data(std::span<const std::uint8_t> chunk) = 0;
};
