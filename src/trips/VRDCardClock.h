#pragma once

#include <cstdint>
#include <optional>

// Turns the wall-clock time of a file name into UTC: with the card's own
// time zone when its config.bin names one, else with the computer's zone
// (daylight-saving time as in force at that moment).
class VRDCardClock {
public:
    static VRDCardClock computer() { return VRDCardClock(std::nullopt); }
    static VRDCardClock fixedOffset(std::int64_t secondsEastOfUtc) { return VRDCardClock(secondsEastOfUtc); }

    // `wallSeconds`: the local date and time counted as if it were UTC.
    std::int64_t utcFromWall(std::int64_t wallSeconds) const;
    std::optional<std::int64_t> offsetSeconds() const { return m_offset; }

private:
    explicit VRDCardClock(std::optional<std::int64_t> offset) : m_offset(offset) {}

    std::optional<std::int64_t> m_offset;
};
