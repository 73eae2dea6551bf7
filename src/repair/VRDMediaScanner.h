#pragma once

#include "io/VRDByteSource.h"
#include "repair/VRDAacFrameSplitter.h"
#include "repair/VRDH264AccessUnitReader.h"
#include "repair/VRDH264FrameCheck.h"
#include "repair/VRDRecoveredSampleSink.h"
#include "repair/VRDReferenceRecording.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

// What a scan found.
struct VRDScanResult {
    std::uint64_t videoFrames = 0;
    std::uint64_t audioFrames = 0;
    std::uint64_t dataSamples = 0;
    std::uint64_t keyFrames = 0;
    // Where the last whole sample ended, and why the scan stopped there.
    std::uint64_t end = 0;
    std::string stopReason;
};

// Walks the media data of a cut-off recording from its start, streaming
// through it with one window, and hands every whole sample to a sink in
// file order: a data chunk where the camera's 210-byte layout is found, an
// H.264 access unit (confirmed by libavcodec's parser) where length-prefixed
// NAL units start, else a run of AAC frames sized by trial decoding. The scan
// stops at the first bytes that are none of these: the end of what the
// camera wrote, or a sample it wrote only in part.
class VRDMediaScanner {
public:
    explicit VRDMediaScanner(const VRDReferenceRecording &reference);

    // Empty when the reference's set-up can be used, else why not.
    const std::string &error() const { return m_error; }

    VRDScanResult scan(VRDByteSource &source, std::uint64_t begin, std::uint64_t end, VRDRecoveredSampleSink &sink);

private:
    enum class Step { Sample, Stop, SinkFailed };

    Step dataChunk(VRDScanWindow &window, std::uint64_t &at, VRDScanResult &result, VRDRecoveredSampleSink &sink);
    Step videoSample(VRDScanWindow &window, std::uint64_t &at, VRDScanResult &result, VRDRecoveredSampleSink &sink);
    Step audioRun(VRDScanWindow &window, std::uint64_t &at, VRDScanResult &result, VRDRecoveredSampleSink &sink);
    bool otherSampleStarts(VRDScanWindow &window, std::uint64_t at) const;
    bool dataChunkAt(VRDScanWindow &window, std::uint64_t at) const;

    bool m_expectData = false;
    std::size_t m_audioFramesPerRun = 0;
    std::optional<VRDH264AccessUnitReader> m_video;
    std::unique_ptr<VRDH264FrameCheck> m_frameCheck;
    std::unique_ptr<VRDAacFrameSplitter> m_audio;
    std::string m_error;
};
