#include "repair/VRDMediaScanner.h"

#include "repair/VRDDataChunkRecognizer.h"

#include <algorithm>

namespace {

// NAL units up to this many times the reference's largest sample are
// plausible (a busier scene than the reference's), within the window's reach.
constexpr std::uint64_t kSampleGrowth = 8;
constexpr std::uint64_t kSmallestNalBound = 1u << 20;
// Audio runs are decoded a bounded number of frames at a time.
constexpr std::size_t kFewestFramesPerRun = 16;
constexpr std::size_t kMostFramesPerRun = 256;

} // namespace

VRDMediaScanner::VRDMediaScanner(const VRDReferenceRecording &reference)
{
    if (!reference.video) {
        m_error = "the reference has no video track";
        return;
    }
    const std::uint64_t largestNal = std::clamp<std::uint64_t>(std::uint64_t{reference.video->largestSample} * kSampleGrowth,
                                                               kSmallestNalBound, VRDScanWindow::kMaxContiguous);
    const auto setup = VRDH264AccessUnitReader::setupFrom(reference.video->decoderConfig, largestNal);
    m_frameCheck = std::make_unique<VRDH264FrameCheck>(reference.video->decoderConfig);
    if (!setup || !m_frameCheck->valid()) {
        m_error = "the reference's H.264 set-up (avcC) cannot be used";
        return;
    }
    m_video.emplace(*setup);
    if (reference.audio) {
        m_audio = std::make_unique<VRDAacFrameSplitter>(reference.audio->decoderConfig);
        if (!m_audio->valid()) {
            m_error = "the reference's AAC set-up cannot be used";
            return;
        }
        m_audioFramesPerRun = std::clamp<std::size_t>(2 * std::size_t{reference.audio->largestChunk}, kFewestFramesPerRun,
                                                      kMostFramesPerRun);
    }
    m_expectData = reference.data.has_value();
}

VRDScanResult VRDMediaScanner::scan(VRDByteSource &source, std::uint64_t begin, std::uint64_t end,
                                    VRDRecoveredSampleSink &sink)
{
    VRDScanResult result;
    result.end = begin;
    if (!m_error.empty()) {
        result.stopReason = m_error;
        return result;
    }
    VRDScanWindow window(source, begin, end);
    std::uint64_t at = window.begin();
    for (;;) {
        if (window.available(at) == 0) {
            result.stopReason = "end of the media data";
            break;
        }
        Step step = dataChunk(window, at, result, sink);
        if (step == Step::Stop)
            step = videoSample(window, at, result, sink);
        if (step == Step::Stop && m_audio)
            step = audioRun(window, at, result, sink);
        if (step == Step::SinkFailed) {
            result.stopReason = "the recovered file cannot be written";
            break;
        }
        if (step == Step::Stop) {
            result.stopReason = "no whole sample at offset " + std::to_string(at);
            break;
        }
        result.end = at;
    }
    return result;
}

bool VRDMediaScanner::dataChunkAt(VRDScanWindow &window, std::uint64_t at) const
{
    if (!m_expectData)
        return false;
    const std::uint8_t *bytes = window.bytes(at, VRDDataChunkRecognizer::kChunkSize);
    return bytes && VRDDataChunkRecognizer::isDataChunk({bytes, VRDDataChunkRecognizer::kChunkSize});
}

VRDMediaScanner::Step VRDMediaScanner::dataChunk(VRDScanWindow &window, std::uint64_t &at, VRDScanResult &result,
                                                 VRDRecoveredSampleSink &sink)
{
    if (!dataChunkAt(window, at))
        return Step::Stop;
    const std::uint8_t *bytes = window.bytes(at, VRDDataChunkRecognizer::kChunkSize);
    if (!sink.data({bytes, VRDDataChunkRecognizer::kChunkSize}))
        return Step::SinkFailed;
    at += VRDDataChunkRecognizer::kChunkSize;
    ++result.dataSamples;
    return Step::Sample;
}

VRDMediaScanner::Step VRDMediaScanner::videoSample(VRDScanWindow &window, std::uint64_t &at, VRDScanResult &result,
                                                   VRDRecoveredSampleSink &sink)
{
    const std::optional<VRDH264AccessUnitReader::AccessUnit> unit = m_video->read(window, at);
    if (!unit)
        return Step::Stop;
    const auto size = static_cast<std::size_t>(unit->size);
    const std::uint8_t *bytes = window.bytes(at, size);
    if (!bytes)
        return Step::Stop;
    const VRDH264FrameCheck::Verdict verdict = m_frameCheck->check({bytes, size});
    if (!verdict.confirmed)
        return Step::Stop;
    // The parser also counts pictures that a recovery-point SEI marks as entry points.
    const bool keyFrame = unit->idr || verdict.keyFrame;
    if (!sink.video({bytes, size}, keyFrame))
        return Step::SinkFailed;
    at += unit->size;
    ++result.videoFrames;
    result.keyFrames += keyFrame ? 1 : 0;
    return Step::Sample;
}

VRDMediaScanner::Step VRDMediaScanner::audioRun(VRDScanWindow &window, std::uint64_t &at, VRDScanResult &result,
                                                VRDRecoveredSampleSink &sink)
{
    const auto reach = static_cast<std::size_t>(
        std::min<std::uint64_t>(window.available(at), m_audioFramesPerRun * VRDAacFrameSplitter::kLargestFrame));
    const std::uint8_t *bytes = window.bytes(at, reach);
    if (!bytes)
        return Step::Stop;
    const std::vector<std::uint32_t> sizes = m_audio->split({bytes, reach}, m_audioFramesPerRun);
    // Frames are taken up to where a video sample or a data chunk starts:
    // the decoder may read a few of those bytes as one more frame.
    std::uint64_t offset = 0;
    std::size_t taken = 0;
    for (std::uint32_t size : sizes) {
        if (taken > 0 && otherSampleStarts(window, at + offset))
            break;
        offset += size;
        ++taken;
    }
    if (taken == 0)
        return Step::Stop;
    bytes = window.bytes(at, static_cast<std::size_t>(offset));
    if (!bytes)
        return Step::Stop;
    std::uint64_t frameStart = 0;
    for (std::size_t i = 0; i < taken; ++i) {
        if (!sink.audio({bytes + frameStart, sizes[i]}))
            return Step::SinkFailed;
        frameStart += sizes[i];
        ++result.audioFrames;
    }
    at += offset;
    return Step::Sample;
}

bool VRDMediaScanner::otherSampleStarts(VRDScanWindow &window, std::uint64_t at) const
{
    return dataChunkAt(window, at) || m_video->startsAccessUnit(window, at);
}
