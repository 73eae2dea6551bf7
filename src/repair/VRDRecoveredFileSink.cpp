#include "repair/VRDRecoveredFileSink.h"

namespace {

// A data sample every 100 ms when the reference does not say.
constexpr std::uint32_t kDefaultDataDurationMs = 100;

} // namespace

VRDRecoveredFileSink::VRDRecoveredFileSink(VRDCameraMp4Writer &writer, const VRDReferenceRecording &reference)
    : m_writer(writer)
{
    if (!reference.video)
        return;
    m_videoTrack = m_writer.addTrack(setupOf(*reference.video));
    m_videoDuration = reference.video->typicalDuration;
    if (reference.audio) {
        m_audioTrack = m_writer.addTrack(setupOf(*reference.audio));
        m_audioDuration = reference.audio->typicalDuration;
    }
    m_dataDuration = reference.data && reference.data->typicalDuration > 0 ? reference.data->typicalDuration
                                                                           : kDefaultDataDurationMs;
    m_ready = m_videoTrack && (!reference.audio || m_audioTrack);
}

VRDCameraMp4Writer::TrackSetup VRDRecoveredFileSink::setupOf(const VRDReferenceTrack &track)
{
    VRDCameraMp4Writer::TrackSetup setup;
    setup.handler = track.handler;
    setup.timescale = track.timescale;
    setup.sampleDescription = track.sampleDescription;
    setup.width = track.width;
    setup.height = track.height;
    return setup;
}

bool VRDRecoveredFileSink::video(std::span<const std::uint8_t> sample, bool keyFrame)
{
    return m_videoTrack && m_writer.writeSample(*m_videoTrack, sample, m_videoDuration, keyFrame);
}

bool VRDRecoveredFileSink::audio(std::span<const std::uint8_t> frame)
{
    return m_audioTrack && m_writer.writeSample(*m_audioTrack, frame, m_audioDuration, true);
}

bool VRDRecoveredFileSink::data(std::span<const std::uint8_t> chunk)
{
    return m_writer.writeDataChunk(chunk, m_dataDuration);
}
