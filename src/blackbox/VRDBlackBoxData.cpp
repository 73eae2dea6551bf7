#include "blackbox/VRDBlackBoxData.h"

#include "blackbox/VRDChunkTableLocator.h"
#include "io/TKBigEndian.h"
#include "io/TKLittleEndian.h"
#include "io/VRDFileByteSource.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>

namespace {

constexpr std::size_t kPrefixSize = 2;
constexpr std::size_t kRecordSize = 208;
constexpr std::size_t kChunkSize = kPrefixSize + kRecordSize;
constexpr std::size_t kGSensorBlockSize = 16;
constexpr std::size_t kGpsBlockSize = 129;
constexpr std::size_t kNmeaTextSize = 128;
// Offset-table entries fetched per read.
constexpr std::uint32_t kEntriesPerRead = 1024;
constexpr std::uint64_t kReserveCap = 1 << 16;

constexpr std::string_view kStartLine = "#############################   START";
constexpr std::string_view kFinishLine = "#############################  FINISH";


// Truncates toward zero and keeps the low 32 bits, as the device's integer
// conversion does; values no integer can hold (NaN, beyond 64 bits) give 0.
std::uint32_t truncatedCount(double value)
{
    if (!(std::fabs(value) < 9.2e18))
        return 0;
    return static_cast<std::uint32_t>(static_cast<std::int64_t>(value));
}

// The first index from `from` on whose byte is not zero, or `size`; the
// padding of a sample's text is usually all zeros, so words are compared.
std::uint32_t endOfZeroRun(const char *text, std::uint32_t from, std::uint32_t size)
{
    std::uint32_t at = from;
    std::uint64_t word = 0;
    while (size - at >= sizeof word) {
        std::memcpy(&word, text + at, sizeof word);
        if (word != 0)
            break;
        at += sizeof word;
    }
    while (at < size && text[at] == '\0')
        ++at;
    return at;
}

_SYSTEMTIME utcCalendarTime(std::uint32_t secondsSince1970)
{
    using namespace std::chrono;
    const sys_seconds moment{seconds{secondsSince1970}};
    const sys_days day = floor<days>(moment);
    const year_month_day date{day};
    const hh_mm_ss<seconds> time{moment - day};
    _SYSTEMTIME calendar;
    calendar.wYear = static_cast<std::uint16_t>(static_cast<int>(date.year()));
    calendar.wMonth = static_cast<std::uint16_t>(static_cast<unsigned>(date.month()));
    calendar.wDay = static_cast<std::uint16_t>(static_cast<unsigned>(date.day()));
    calendar.wHour = static_cast<std::uint16_t>(time.hours().count());
    calendar.wMinute = static_cast<std::uint16_t>(time.minutes().count());
    calendar.wSecond = static_cast<std::uint16_t>(time.seconds().count());
    return calendar;
}

} // namespace

VRDBlackBoxData::VRDBlackBoxData(VRDLogSink logSink)
    : m_logSink(std::move(logSink))
{
}

bool VRDBlackBoxData::ExtractStreamInformation(const std::string &path)
{
    log(kStartLine);
    clear();
    VRDFileByteSource file;
    if (!file.open(path))
        return false;
    return extract(file);
}

bool VRDBlackBoxData::ExtractStreamInformation(VRDByteSource &source)
{
    log(kStartLine);
    clear();
    return extract(source);
}

bool VRDBlackBoxData::extract(VRDByteSource &source)
{
    const std::optional<VRDChunkTable> table = VRDChunkTableLocator(source).locate();
    if (!table)
        return false;

    // Room for the samples a file of this size can hold, within a cap, so a
    // corrupt count alone never decides an allocation.
    const std::uint64_t fitting = std::min<std::uint64_t>({table->readableCount, source.size() / kChunkSize, kReserveCap});
    reserve(static_cast<std::size_t>(fitting));

    std::vector<std::uint8_t> entries;
    for (std::uint32_t first = 0; first < table->readableCount; first += kEntriesPerRead) {
        const std::uint32_t wanted = std::min(kEntriesPerRead, table->readableCount - first);
        entries.resize(std::size_t{wanted} * 4);
        const std::size_t got = source.readAt(table->firstEntryOffset + std::uint64_t{first} * 4, entries.data(), entries.size());
        for (std::size_t entry = 0; entry < got / 4; ++entry)
            readChunk(source, TKBigEndian::read32(entries.data() + entry * 4));
    }
    log(kFinishLine);
    return true;
}

void VRDBlackBoxData::reserve(std::size_t samples)
{
    m_NMEAs.reserve(samples);
    m_GSensors.reserve(samples);
    m_Times.reserve(samples);
    m_vGSensorData.reserve(samples);
    m_vGpsData.reserve(samples);
    m_RecordFixIndexes.reserve(samples);
}

void VRDBlackBoxData::readChunk(VRDByteSource &source, std::uint32_t chunkOffset)
{
    std::uint8_t chunk[kChunkSize];
    if (source.readAt(chunkOffset, chunk, sizeof chunk) != sizeof chunk)
        return;
    const std::uint8_t *record = chunk + kPrefixSize;

    m_Times.push_back(le_u32::read(record));
    m_vGSensorData.push_back(VRDAviGSensorData::aviGSensorDataWithData(record + 8));
    ParseGSensor(record + 8, kGSensorBlockSize);

    char scratch[kGpsBlockSize];
    std::memcpy(scratch, record + 24, sizeof scratch);
    ParseNMEA(scratch + 1, kNmeaTextSize);
    m_vGpsData.push_back(VRDAviGpsData::aviGpsDataWithData(scratch));

    VRDGpsData fix;
    fix.Latitude = le_f64::read(record + 160);
    fix.Longitude = le_f64::read(record + 168);
    fix.flags = static_cast<std::int32_t>(le_u32::read(record + 176));
    fix.SpeedOverGround = static_cast<double>(static_cast<std::int32_t>(le_u32::read(record + 180)));
    fix.HDOP = le_f64::read(record + 192);
    fix.SatelliteUsedCount = truncatedCount(le_f64::read(record + 200));
    m_NMEAs.push_back(fix);
    m_RecordFixIndexes.push_back(m_NMEAs.size() - 1);
}

void VRDBlackBoxData::clear()
{
    m_NMEAParser.clear();
    m_NMEAs.clear();
    m_GSensors.clear();
    m_Times.clear();
    m_TimeEvents.clear();
    m_vGSensorData.clear();
    m_vGpsData.clear();
    m_RecordFixIndexes.clear();
    m_udatSpeedDisplay = 0;
    m_udatIncludeEvent = 0;
    m_udatRecPark = 0;
    m_LastTimeEventType = 0;
}

std::uint64_t VRDBlackBoxData::frameCount() const
{
    return m_GSensors.size() < 2 ? 1 : m_GSensors.size() - 1;
}

bool VRDBlackBoxData::ParseGSensor(const void *block, std::uint32_t)
{
    if (block == nullptr)
        return false;
    const VRDAviGSensorData raw(block);
    constexpr float kOneOver256 = 0.00390625f;
    m_GSensors.emplace_back(static_cast<float>(raw.data.X) * kOneOver256, static_cast<float>(raw.data.Y) * kOneOver256,
                            static_cast<float>(raw.data.Z) * kOneOver256);
    return true;
}

bool VRDBlackBoxData::ParseNMEA(char *text, std::uint32_t size)
{
    if (text == nullptr || size == 0)
        return false;
    std::uint32_t sentenceStart = 0;
    for (std::uint32_t at = 0; at < size; ++at) {
        const char byte = text[at];
        if (byte == '$') {
            sentenceStart = at;
        } else if (byte == '\0' || byte == '\n' || byte == '\r') {
            text[at] = '\0';
            if (at - sentenceStart >= 2 && text[sentenceStart] == '$' && text[sentenceStart + 1] == 'G') {
                m_NMEAParser.parse(std::string_view(text + sentenceStart, at - sentenceStart));
                m_NMEAs.push_back(m_NMEAParser.current().duplicate());
            }
            // A run of zero bytes is a run of empty sentences: pass it whole.
            if (byte == '\0')
                at = endOfZeroRun(text, at + 1, size) - 1;
            sentenceStart = at + 1;
        }
    }
    return true;
}

bool VRDBlackBoxData::ParseFrameData(const void *header, std::uint32_t size)
{
    if (header == nullptr || size != 8)
        return false;
    const auto *bytes = static_cast<const std::uint8_t *>(header);
    m_udatSpeedDisplay = bytes[4];
    m_udatRecPark = bytes[6];
    m_udatIncludeEvent = bytes[7];
    return true;
}

bool VRDBlackBoxData::ParseTime(const void *record, std::uint32_t size)
{
    // The event type lies at bytes 12 to 15: a shorter record cannot hold it.
    if (record == nullptr || size < 16)
        return false;
    const auto *bytes = static_cast<const std::uint8_t *>(record);
    const std::uint32_t time = le_u32::read(bytes);
    const std::uint32_t type = TKBigEndian::read32(bytes + 12);
    if (type != 0 && type != m_LastTimeEventType) {
        VRDTimeEvent event;
        event.e = type == 1 ? 0 : 1;
        event.t = utcCalendarTime(time);
        event.f = static_cast<std::uint32_t>(m_Times.size());
        m_TimeEvents.push_back(event);
    }
    m_LastTimeEventType = type;
    m_Times.push_back(time);
    return true;
}

bool VRDBlackBoxData::ParseTimeEvent(const void *, std::uint32_t)
{
    return true;
}

std::shared_ptr<const VRDBlackBoxSnapshot> VRDBlackBoxData::snapshot() const
{
    auto lists = std::make_shared<VRDBlackBoxSnapshot>();
    lists->NMEAs = m_NMEAs;
    lists->GSensors = m_GSensors;
    lists->Times = m_Times;
    lists->TimeEvents = m_TimeEvents;
    lists->vGSensorData = m_vGSensorData;
    lists->vGpsData = m_vGpsData;
    lists->RecordFixIndexes = m_RecordFixIndexes;
    return lists;
}

void VRDBlackBoxData::log(std::string_view line) const
{
    if (m_logSink)
        m_logSink(line);
}
