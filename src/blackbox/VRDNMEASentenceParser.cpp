#include "blackbox/VRDNMEASentenceParser.h"

#include "blackbox/VRDFormattedScanner.h"
#include "blackbox/VRDNmeaNumber.h"

#include <algorithm>

namespace {

using Fields = VRDNMEASentenceParser::Fields;

std::string_view field(const Fields &fields, std::size_t index)
{
    return index < fields.size() ? fields[index] : std::string_view();
}

double floatField(const Fields &fields, std::size_t index)
{
    return static_cast<double>(VRDNmeaNumber::leadingFloat(field(fields, index)));
}

std::int32_t integerField(const Fields &fields, std::size_t index)
{
    return VRDNmeaNumber::leadingInteger(field(fields, index));
}

bool isValidUtf8(std::string_view text)
{
    const auto *bytes = reinterpret_cast<const unsigned char *>(text.data());
    const std::size_t size = text.size();
    std::size_t at = 0;
    while (at < size) {
        const unsigned char lead = bytes[at];
        std::size_t length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead < 0x80) {
            ++at;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0)
                low = 0xA0;         // no overlong forms
            else if (lead == 0xED)
                high = 0x9F;        // no surrogates
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0)
                low = 0x90;
            else if (lead == 0xF4)
                high = 0x8F;        // nothing beyond U+10FFFF
        } else {
            return false;
        }
        if (size - at < length)
            return false;
        if (bytes[at + 1] < low || bytes[at + 1] > high)
            return false;
        for (std::size_t i = 2; i < length; ++i) {
            if (bytes[at + i] < 0x80 || bytes[at + i] > 0xBF)
                return false;
        }
        at += length;
    }
    return true;
}

Fields split(std::string_view text, char separator)
{
    Fields parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        if (end == std::string_view::npos) {
            parts.push_back(text.substr(start));
            return parts;
        }
        parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

} // namespace

void VRDNMEASentenceParser::clear()
{
    m_Current.clear();
}

bool VRDNMEASentenceParser::parse(std::string_view sentence)
{
    sentence = sentence.substr(0, sentence.find('\0'));
    if (!isValidUtf8(sentence))
        return false;
    if (std::count(sentence.begin(), sentence.end(), '*') != 1)
        return false;
    const Fields fields = split(sentence.substr(0, sentence.find('*')), ',');
    const std::string_view address = fields.front();
    if (address == "$GPRMC" || address == "$GNRMC")
        return parseGPRMC(fields);
    if (address == "$GPGGA" || address == "$GNGGA")
        return parseGPGGA(fields);
    if (address == "$GNGSA")
        return parseGNGSA(fields);
    if (address == "$GNGNS")
        return parseGNGNS(fields);
    return false;
}

bool VRDNMEASentenceParser::parseGPRMC(const Fields &fields)
{
    m_Current.SpeedOverGround = floatField(fields, 7);
    m_Current.CourseOverGround = floatField(fields, 8);
    m_Current.gpsValid = field(fields, 2) == "A" ? 1 : 0;

    const std::string_view time = field(fields, 1);
    const std::string_view date = field(fields, 9);
    if (date.size() == 6 && time.size() == 10) {
        int hour = 0, minute = 0, second = 0, millisecond = 0;
        VRDFormattedScanner timeScanner(time);
        timeScanner.integer(2, hour);
        timeScanner.integer(2, minute);
        timeScanner.integer(2, second);
        timeScanner.literal('.');
        timeScanner.integer(3, millisecond);
        int day = 0, month = 0, year = 0;
        VRDFormattedScanner dateScanner(date);
        dateScanner.integer(2, day);
        dateScanner.integer(2, month);
        dateScanner.integer(2, year);

        m_Current.Now = _SYSTEMTIME{
            static_cast<std::uint16_t>(2000 + year), static_cast<std::uint16_t>(month), 0,
            static_cast<std::uint16_t>(day), static_cast<std::uint16_t>(hour),
            static_cast<std::uint16_t>(minute), static_cast<std::uint16_t>(second),
            static_cast<std::uint16_t>(millisecond)};
    }
    m_Current.Cnt_GNGSA = 0;
    return true;
}

bool VRDNMEASentenceParser::parseGPGGA(const Fields &fields)
{
    if (!field(fields, 2).empty())
        m_Current.Latitude = floatField(fields, 2);
    if (!field(fields, 3).empty())
        m_Current.NS = field(fields, 3).front();
    if (!field(fields, 4).empty())
        m_Current.Longitude = floatField(fields, 4);
    if (!field(fields, 5).empty())
        m_Current.EW = field(fields, 5).front();

    const std::string_view address = field(fields, 0);
    if ((address == "$GPGGA" || address == "$GNGGA") && !m_Current.Enable_GNGNS && !m_Current.Enable_GNGSA)
        m_Current.SatelliteUsedCount = static_cast<std::uint32_t>(integerField(fields, 7));
    if (!m_Current.Enable_GNGNS && !field(fields, 8).empty())
        m_Current.HDOP = floatField(fields, 8);
    m_Current.Cnt_GNGSA = 0;
    return true;
}

bool VRDNMEASentenceParser::parseGNGNS(const Fields &fields)
{
    m_Current.Enable_GNGNS = 1;
    m_Current.SatelliteUsedCount = static_cast<std::uint32_t>(integerField(fields, 7));
    if (!field(fields, 8).empty())
        m_Current.HDOP = floatField(fields, 8);
    return true;
}

bool VRDNMEASentenceParser::parseGNGSA(const Fields &fields)
{
    m_Current.Enable_GNGSA = 1;
    if (m_Current.Enable_GNGNS)
        return true;

    std::uint32_t used = 0;
    for (int slot = 0; slot < VRDGpsData::kChannelCount; ++slot) {
        const std::string_view text = field(fields, static_cast<std::size_t>(slot) + 3);
        const auto satellite = text.empty() ? std::uint8_t{0} : static_cast<std::uint8_t>(VRDNmeaNumber::leadingInteger(text));
        m_Current.setSatelliteUsed(satellite, slot);
        if (satellite != 0)
            ++used;
    }

    const std::uint8_t first = m_Current.SatelliteUsedAtIndex(0);
    m_Current.Cnt_GNGSA = first == 0 ? 255 : (first <= 64 ? 0 : 1);
    switch (m_Current.Cnt_GNGSA) {
    case 0:
        m_Current.SatelliteUsedCount_GPS = used;
        m_Current.Cnt_GNGSA = 1;
        m_Current.SatelliteUsedCount = m_Current.SatelliteUsedCount_GPS;
        break;
    case 1:
        m_Current.SatelliteUsedCount_GLONASS = used;
        m_Current.Cnt_GNGSA = 0;
        m_Current.SatelliteUsedCount = m_Current.SatelliteUsedCount_GPS + m_Current.SatelliteUsedCount_GLONASS;
        break;
    default:
        if (m_Current.gpsValid == 0)
            m_Current.SatelliteUsedCount = 0;
        break;
    }
    return true;
}

bool VRDNMEASentenceParser::parseGPGSV(const Fields &fields)
{
    m_Current.SatelliteCount = static_cast<std::uint32_t>(integerField(fields, 3));
    if (m_Current.SatelliteCount == 0)
        return true;

    const std::int32_t message = integerField(fields, 2);
    if (message == 1)
        m_nextFreeChannel = 0;
    else if (static_cast<std::int64_t>(message) != static_cast<std::int64_t>(m_lastGsvMessage) + 1)
        return false;

    const std::size_t groups = fields.size() >= 8 ? (fields.size() - 4) / 4 : 0;
    for (std::size_t group = 0; group < groups; ++group) {
        if (m_nextFreeChannel >= VRDGpsData::kChannelCount)
            break;
        int satellite = 0;
        int signalToNoise = 0;
        VRDFormattedScanner(field(fields, 4 + 4 * group)).integer(2, satellite);
        VRDFormattedScanner(field(fields, 7 + 4 * group)).integer(2, signalToNoise);
        m_Current.setSVonChannelWithFirstSecond(static_cast<std::uint8_t>(satellite),
                                                static_cast<std::uint8_t>(signalToNoise), m_nextFreeChannel);
        ++m_nextFreeChannel;
    }
    m_lastGsvMessage = message;
    return true;
}
