#pragma once

#include "blackbox/VRDBlackBoxSnapshot.h"
#include "blackbox/VRDNMEASentenceParser.h"
#include "io/VRDByteSource.h"
#include "io/VRDLogSink.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Extracts the sensor samples the camera stores in the data track of a
// recording: one chunk per sample, listed in the track's stco box. Each
// readable chunk adds one entry to the time, G-sensor and raw lists, and to
// the GPS list one duplicate of the parser's fix per "$G" sentence of its
// text followed by the fix decoded from the record itself.
//
// Not synchronised: one thread extracts; others read the lists (or better a
// snapshot()) only after the extraction has returned.
class VRDBlackBoxData {
public:
    explicit VRDBlackBoxData(VRDLogSink logSink = {});

    // True when the chunk table was reached. Never throws.
    bool ExtractStreamInformation(const std::string &path);
    bool ExtractStreamInformation(VRDByteSource &source);
    void clear();
    std::uint64_t frameCount() const;

    // Appends the G-sensor sample of a 16-byte block X, Y, Z, T in 1/256 g.
    bool ParseGSensor(const void *block, std::uint32_t size);
    // Walks n bytes of writable NMEA text; line ends become zero bytes and
    // every "$G" sentence is parsed and its fix appended.
    bool ParseNMEA(char *text, std::uint32_t size);
    // Device frame headers and time records; no recording layout uses them.
    bool ParseFrameData(const void *header, std::uint32_t size);
    bool ParseTime(const void *record, std::uint32_t size);
    bool ParseTimeEvent(const void *record, std::uint32_t size);

    std::shared_ptr<const VRDBlackBoxSnapshot> snapshot() const;

    std::uint8_t udatSpeedDisplay() const { return m_udatSpeedDisplay; }
    std::uint8_t udatIncludeEvent() const { return m_udatIncludeEvent; }
    std::uint8_t udatRecPark() const { return m_udatRecPark; }
    std::uint32_t lastTimeEventType() const { return m_LastTimeEventType; }
    const VRDNMEASentenceParser &NMEAParser() const { return m_NMEAParser; }
    const std::vector<VRDGpsData> &NMEAs() const { return m_NMEAs; }
    const std::vector<VRDGSensor> &GSensors() const { return m_GSensors; }
    const std::vector<std::uint32_t> &Times() const { return m_Times; }
    const std::vector<VRDTimeEvent> &TimeEvents() const { return m_TimeEvents; }
    const std::vector<VRDAviGSensorData> &vGSensorData() const { return m_vGSensorData; }
    const std::vector<VRDAviGpsData> &vGpsData() const { return m_vGpsData; }
    const std::vector<std::size_t> &RecordFixIndexes() const { return m_RecordFixIndexes; }

private:
    bool extract(VRDByteSource &source);
    void reserve(std::size_t samples);
    void readChunk(VRDByteSource &source, std::uint32_t chunkOffset);
    void log(std::string_view line) const;

    VRDLogSink m_logSink;
    std::uint8_t m_udatSpeedDisplay = 0;
    std::uint8_t m_udatIncludeEvent = 0;
    std::uint8_t m_udatRecPark = 0;
    std::uint32_t m_LastTimeEventType = 0;
    VRDNMEASentenceParser m_NMEAParser;
    std::vector<VRDGpsData> m_NMEAs;
    std::vector<VRDGSensor> m_GSensors;
    std::vector<std::uint32_t> m_Times;
    std::vector<VRDTimeEvent> m_TimeEvents;
    std::vector<VRDAviGSensorData> m_vGSensorData;
    std::vector<VRDAviGpsData> m_vGpsData;
    std::vector<std::size_t> m_RecordFixIndexes;
};
