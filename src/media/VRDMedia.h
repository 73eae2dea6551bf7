#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// One recording file, described by what its name tells: kind, start time and
// camera. Names look like "alwa_20230115_143005_F.MP4"; a name that does not
// fit gives a media of unknown time (all time fields 0).
class VRDMedia {
public:
    enum Division : std::int32_t { DivisionAlways = 0, DivisionMotion = 1, DivisionEvent = 2 };
    enum Direction : std::int32_t { DirectionFront = 0, DirectionRear = 1, DirectionUnknown = 2 };

    VRDMedia() = default;
    explicit VRDMedia(std::string_view path);

    // A shared media for the path, parsed at once; never fails.
    static std::shared_ptr<const VRDMedia> mediaWithPath(std::string_view path);

    // Replaces every property with what the given file path says.
    void parsePath(std::string_view path);

    const std::string &path() const { return m_path; }
    // These view the stored path: they live as long as the media.
    std::string_view mediaName() const { return m_mediaName.in(m_path); }
    std::string_view extension() const { return m_extension.in(m_path); }
    std::string_view dir() const { return m_dir.in(m_path); }
    std::int32_t year() const { return m_year; }
    std::int32_t month() const { return m_month; }
    std::int32_t day() const { return m_day; }
    std::int32_t hour() const { return m_hour; }
    std::int32_t minute() const { return m_minute; }
    std::int32_t second() const { return m_second; }
    std::int32_t mediaDivision() const { return m_mediaDivision; }
    std::int32_t mediaDirection() const { return m_mediaDirection; }

    bool isFrontMedia() const { return m_mediaDirection == DirectionFront; }
    bool isRearMedia() const { return m_mediaDirection == DirectionRear; }
    bool isAlwaysMedia() const { return m_mediaDivision == DivisionAlways; }
    bool isMotionMedia() const { return m_mediaDivision == DivisionMotion; }
    bool isEventMedia() const { return m_mediaDivision == DivisionEvent; }

    // "<mediaName>.<extension>".
    std::string fileName() const;
    // The name without its last two characters (the camera suffix), shared
    // by the front and the rear file of one recording.
    std::string_view mediaGroupName() const;
    // The start time as 14 digits, "00000000000000" when unknown.
    const std::string &yyyymmddhhmiss() const { return m_sortKey; }

    // Negative when this sorts first: earlier time, then event before motion
    // before always, then front before rear before unknown.
    int compareDate(const VRDMedia &other) const;

    // The name lengths of the known shapes ("alwa_yyyymmdd_hhmiss_F" and
    // its longer kin).
    static bool hasRecordingNameLength(std::string_view mediaName);

private:
    // A part of the path, kept as a place in it so that a media holds one
    // string however it is copied.
    struct Slice {
        std::size_t offset = 0;
        std::size_t length = 0;

        std::string_view in(const std::string &text) const { return std::string_view(text).substr(offset, length); }
    };

    void _updateToUknown();
    bool _parseTimeByName(std::string_view name, std::size_t startPos);
    void updateSortKey();

    std::string m_path;
    Slice m_mediaName;
    Slice m_extension;
    Slice m_dir;
    std::string m_sortKey = "00000000000000";
    std::int32_t m_year = 0;
    std::int32_t m_month = 0;
    std::int32_t m_day = 0;
    std::int32_t m_hour = 0;
    std::int32_t m_minute = 0;
    std::int32_t m_second = 0;
    std::int32_t m_mediaDivision = DivisionAlways;
    std::int32_t m_mediaDirection = DirectionFront;
};
