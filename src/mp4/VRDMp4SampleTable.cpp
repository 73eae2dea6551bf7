#include "mp4/VRDMp4SampleTable.h"

#include "mp4/Mp4BoxBuilder.h"
#include "mp4/VRDMp4Bytes.h"

#include <algorithm>

using namespace VRDMp4Bytes;

void VRDMp4SampleTable::addSample(std::uint32_t size, std::uint32_t duration, bool syncSample, bool startsChunk,
                                  std::uint64_t fileOffset)
{
    m_sizes.push_back(size);
    if (!m_durations.empty() && m_durations.back().duration == duration)
        ++m_durations.back().count;
    else
        m_durations.push_back({1, duration});
    m_totalDuration += duration;
    if (syncSample)
        m_syncSamples.push_back(sampleCount());
    if (startsChunk || m_chunkOffsets.empty()) {
        m_chunkOffsets.push_back(fileOffset);
        m_samplesPerChunk.push_back(1);
    } else {
        ++m_samplesPerChunk.back();
    }
}

VRDMp4SampleTable::Bytes VRDMp4SampleTable::timeToSample() const
{
    Bytes payload = fullBoxHeader();
    append32(payload, static_cast<std::uint32_t>(m_durations.size()));
    for (const DurationRun &run : m_durations) {
        append32(payload, run.count);
        append32(payload, run.duration);
    }
    return Mp4BoxBuilder::box("stts", payload);
}

VRDMp4SampleTable::Bytes VRDMp4SampleTable::syncSamples() const
{
    Bytes payload = fullBoxHeader();
    append32(payload, static_cast<std::uint32_t>(m_syncSamples.size()));
    for (std::uint32_t number : m_syncSamples)
        append32(payload, number);
    return Mp4BoxBuilder::box("stss", payload);
}

VRDMp4SampleTable::Bytes VRDMp4SampleTable::sampleToChunk() const
{
    Bytes entries;
    std::uint32_t entryCount = 0;
    for (std::size_t chunk = 0; chunk < m_samplesPerChunk.size(); ++chunk) {
        if (chunk > 0 && m_samplesPerChunk[chunk] == m_samplesPerChunk[chunk - 1])
            continue;
        append32(entries, static_cast<std::uint32_t>(chunk + 1));
        append32(entries, m_samplesPerChunk[chunk]);
        append32(entries, 1); // sample description index
        ++entryCount;
    }
    Bytes payload = fullBoxHeader();
    append32(payload, entryCount);
    appendBytes(payload, entries);
    return Mp4BoxBuilder::box("stsc", payload);
}

VRDMp4SampleTable::Bytes VRDMp4SampleTable::sampleSizes() const
{
    Bytes payload = fullBoxHeader();
    const bool allEqual = !m_sizes.empty()
        && std::all_of(m_sizes.begin(), m_sizes.end(), [&](std::uint32_t size) { return size == m_sizes.front(); });
    append32(payload, allEqual ? m_sizes.front() : 0);
    append32(payload, sampleCount());
    if (!allEqual) {
        for (std::uint32_t size : m_sizes)
            append32(payload, size);
    }
    return Mp4BoxBuilder::box("stsz", payload);
}

VRDMp4SampleTable::Bytes VRDMp4SampleTable::chunkOffsets() const
{
    Bytes payload = fullBoxHeader();
    append32(payload, static_cast<std::uint32_t>(m_chunkOffsets.size()));
    for (std::uint64_t offset : m_chunkOffsets)
        append32(payload, static_cast<std::uint32_t>(offset));
    return Mp4BoxBuilder::box("stco", payload);
}
