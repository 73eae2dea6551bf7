#include "MirroredDocument.h"
#include "TabRecordPattern.h"

#include "settings/VRDSettingForGpsViewController.h"
#include "widgets/TKSegmentedControl.h"

#include <QCheckBox>
#include <QComboBox>
#include <gtest/gtest.h>

#include <tuple>

namespace {

const std::initializer_list<std::string_view> kGpsFields{
    "nodriving_day", "speed_disp_unit", "osd_speed_flag", "time_gmt", "summer_time", "SaveDuration", "NightTime"};

struct GpsTab {
    MirroredDocument document;
    VRDSettingForGpsViewController tab;

    TKSegmentedControl *seg(const char *name) const { return tab.findChild<TKSegmentedControl *>(name); }
    void choose(const char *name, int segment) const { seg(name)->buttonForSegment(segment)->click(); }
    QComboBox *zones() const { return tab.findChild<QComboBox *>("timeGmtCombo"); }
    QCheckBox *summerTime() const { return tab.findChild<QCheckBox *>("summerTimeChk"); }
};

FILEDATA validGpsRecord()
{
    FILEDATA record = patternRecord();
    record.nodriving_day = 3;
    record.speed_disp_unit = 1;
    record.osd_speed_flag = 0;
    record.time_gmt = 22;
    record.summer_time = 5;
    record.SaveDuration = 4;
    record.NightTime = 1;
    return record;
}

TEST(GpsTab, ShowsAndStoresEveryControlLeavingOtherBytesAlone)
{
    GpsTab gps;
    const FILEDATA before = validGpsRecord();
    FILEDATA record = before;
    gps.tab.setFileData(gps.document.of(record));

    EXPECT_EQ(gps.seg("drivingDaySeg")->labelForSegment(3), "Wed");
    EXPECT_EQ(gps.seg("speedDisplayUnitSeg")->labelForSegment(1), "Mi/h");
    EXPECT_EQ(gps.seg("saveDurationSeg")->labelForSegment(4), "10 sec");
    EXPECT_EQ(gps.zones()->currentText(), "+05:30");
    EXPECT_TRUE(gps.summerTime()->isChecked());
    ASSERT_TRUE(gps.tab.populate());
    EXPECT_EQ(record.summer_time, 1u) << "any non-zero summer time is stored as 1";
    EXPECT_EQ(record.SaveDuration, 4u) << "the index, not the seconds";

    // Segment, field, the segment the record shows, the one chosen.
    const std::tuple<const char *, std::string_view, int, int> controls[] = {
        {"drivingDaySeg", "nodriving_day", 3, 7}, {"speedDisplayUnitSeg", "speed_disp_unit", 1, 0},
        {"osdSpeedDisplaySeg", "osd_speed_flag", 0, 1}, {"saveDurationSeg", "SaveDuration", 4, 0},
        {"nightTimeSeg", "NightTime", 1, 0}};
    for (const auto &[segment, field, shown, chosen] : controls) {
        EXPECT_EQ(gps.seg(segment)->selectedSegment(), shown) << segment;
        gps.choose(segment, chosen);
    }
    gps.zones()->setCurrentIndex(33);
    gps.summerTime()->setChecked(false);
    ASSERT_TRUE(gps.tab.populate());
    for (const auto &[segment, field, shown, chosen] : controls)
        EXPECT_EQ(fieldValue(record, field), chosen) << segment;
    EXPECT_EQ(record.time_gmt, 33);
    EXPECT_EQ(record.summer_time, 0u);
    EXPECT_TRUE(changedBytesOutside(before, record, kGpsFields).empty());
    EXPECT_TRUE(gps.tab.validateUserInput().isNull());
}

TEST(GpsTab, TimeZoneNoneOrUnknownStaysUntilTheUserPicksOne)
{
    GpsTab gps;
    FILEDATA record = validGpsRecord();
    record.time_gmt = -1;
    gps.tab.setFileData(gps.document.of(record));
    EXPECT_EQ(gps.zones()->currentIndex(), -1);
    EXPECT_TRUE(gps.zones()->currentText().isEmpty());
    ASSERT_TRUE(gps.tab.populate());
    EXPECT_EQ(record.time_gmt, -1);

    record.time_gmt = 40;
    record.nodriving_day = 8;
    gps.tab.setFileData(gps.document.of(record));
    EXPECT_EQ(gps.zones()->currentIndex(), -1);
    EXPECT_EQ(gps.seg("drivingDaySeg")->selectedSegment(), -1);
    ASSERT_TRUE(gps.tab.populate());
    EXPECT_EQ(record.time_gmt, 40);
    EXPECT_EQ(record.nodriving_day, 8u);

    gps.zones()->setCurrentIndex(0);
    ASSERT_TRUE(gps.tab.populate());
    EXPECT_EQ(record.time_gmt, 0);
}

TEST(GpsTab, ZoneListIsAFixedRunFromMinusTwelveToPlusThirteen)
{
    GpsTab gps;
    EXPECT_FALSE(gps.zones()->isEditable());
    EXPECT_EQ(gps.zones()->itemText(0), "-12:00");
    EXPECT_EQ(gps.zones()->itemText(33), "+13:00");
}

} // namespace
