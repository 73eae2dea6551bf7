#include "media/VRDMedia.h"

#include "media/VRDMediaNamePrefix.h"
#include "media/VRDPathParts.h"

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Reads a fixed-width slice the lenient way the camera's names were always
// read: leading blanks skipped, an optional sign, digits up to the first
// other character; no digits read as 0.
std::int32_t sliceValue(std::string_view slice)
{
    std::size_t i = 0;
    while (i < slice.size() && isBlank(slice[i]))
        ++i;
    bool negative = false;
    if (i < slice.size() && (slice[i] == '+' || slice[i] == '-')) {
        negative = slice[i] == '-';
        ++i;
    }
    std::int32_t value = 0;
    for (; i < slice.size() && slice[i] >= '0' && slice[i] <= '9'; ++i)
        value = value * 10 + (slice[i] - '0');
    return negative ? -value : value;
}

bool inRange(std::int32_t value, std::int32_t low, std::int32_t high)
{
    return value >= low && value <= high;
}

} // namespace

VRDMedia::VRDMedia(std::string_view path)
{
    parsePath(path);
}

std::shared_ptr<const VRDMedia> VRDMedia::mediaWithPath(std::string_view path)
{
    return std::make_shared<const VRDMedia>(path);
}

void VRDMedia::parsePath(std::string_view path)
{
    *this = VRDMedia();
    const VRDPathParts parts = VRDPathParts::split(path);
    m_path = parts.path;
    const auto sliceOf = [&parts](std::string_view part) {
        return part.empty() ? Slice{} : Slice{static_cast<std::size_t>(part.data() - parts.path.data()), part.size()};
    };
    m_mediaName = sliceOf(parts.stem);
    m_extension = sliceOf(parts.extension);
    m_dir = sliceOf(parts.dir);

    const std::string_view name = mediaName();
    if (!hasRecordingNameLength(name)) {
        _updateToUknown();
        return;
    }
    m_mediaDirection = DirectionUnknown;
    if (const VRDMediaNamePrefix *prefix = VRDMediaNamePrefix::find(name)) {
        m_mediaDivision = prefix->mediaDivision;
        if (!_parseTimeByName(name, prefix->timeStart)) {
            _updateToUknown();
            return;
        }
    }
    if (name.ends_with("_F"))
        m_mediaDirection = DirectionFront;
    else if (name.ends_with("_R"))
        m_mediaDirection = DirectionRear;
}

std::string VRDMedia::fileName() const
{
    std::string name(mediaName());
    name += '.';
    name += extension();
    return name;
}

std::string_view VRDMedia::mediaGroupName() const
{
    const std::string_view name = mediaName();
    return name.substr(0, name.size() >= 2 ? name.size() - 2 : 0);
}

int VRDMedia::compareDate(const VRDMedia &other) const
{
    if (const int byTime = m_sortKey.compare(other.m_sortKey); byTime != 0)
        return byTime < 0 ? -1 : 1;
    if (m_mediaDivision != other.m_mediaDivision)
        return m_mediaDivision > other.m_mediaDivision ? -1 : 1;
    if (m_mediaDirection != other.m_mediaDirection)
        return m_mediaDirection < other.m_mediaDirection ? -1 : 1;
    return 0;
}

bool VRDMedia::hasRecordingNameLength(std::string_view mediaName)
{
    constexpr std::string_view kAlways = "alwa_yyyymmdd_hhmiss_F";
    constexpr std::string_view kMotion = "motion_yyyymmdd_hhmiss_F";
    constexpr std::string_view kEvent = "event_yyyymmdd_hhmiss_F";
    const std::size_t length = mediaName.size();
    return length == kAlways.size() || length == kMotion.size() || length == kEvent.size();
}

void VRDMedia::_updateToUknown()
{
    m_year = m_month = m_day = m_hour = m_minute = m_second = 0;
    updateSortKey();
}

bool VRDMedia::_parseTimeByName(std::string_view name, std::size_t startPos)
{
    if (name.size() < startPos + VRDMediaNamePrefix::kTimeFieldLength)
        return false;
    const std::string_view field = name.substr(startPos, VRDMediaNamePrefix::kTimeFieldLength);
    // The character between date and time (field[8]) is not examined.
    m_year = sliceValue(field.substr(0, 4));
    m_month = sliceValue(field.substr(4, 2));
    m_day = sliceValue(field.substr(6, 2));
    m_hour = sliceValue(field.substr(9, 2));
    m_minute = sliceValue(field.substr(11, 2));
    m_second = sliceValue(field.substr(13, 2));
    const bool valid = inRange(m_year, 1970, 2700) && inRange(m_month, 1, 12) && inRange(m_day, 1, 31)
        && inRange(m_hour, 0, 24) && inRange(m_minute, 0, 60) && inRange(m_second, 0, 60);
    if (valid)
        updateSortKey();
    return valid;
}

void VRDMedia::updateSortKey()
{
    // Written by hand rather than with a format call: it runs once for every
    // file of a card.
    const auto put = [this](std::size_t at, std::int32_t value, std::size_t width) {
        for (std::size_t i = width; i-- > 0; value /= 10)
            m_sortKey[at + i] = static_cast<char>('0' + value % 10);
    };
    put(0, m_year, 4);
    put(4, m_month, 2);
    put(6, m_day, 2);
    put(8, m_hour, 2);
    put(10, m_minute, 2);
    put(12, m_second, 2);
}
