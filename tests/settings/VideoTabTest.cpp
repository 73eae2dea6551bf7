#include "MirroredDocument.h"
#include "TabRecordPattern.h"

#include "settings/VRDSettingForVideoViewController.h"
#include "widgets/TKSegmentedControl.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

const std::initializer_list<std::string_view> kVideoFields{
    "vid_enc_bitrate", "vid_brightness", "vid_enc_bitrate_R", "vid_brightness_R", "flip_video", "rear_fps",
    "front_cpl_use", "rear_cpl_use", "En_SuperNightVision", "b_angle", "b_model", "ledoff_rear"};

struct VideoTab {
    MirroredDocument document;
    QWidget window;
    VRDSettingForVideoViewController *tab = new VRDSettingForVideoViewController(&window);

    TKSegmentedControl *seg(const char *name) const { return tab->findChild<TKSegmentedControl *>(name); }
    void choose(const char *name, int segment) const { seg(name)->buttonForSegment(segment)->click(); }
};

FILEDATA validVideoRecord()
{
    FILEDATA record = patternRecord();
    record.vid_enc_bitrate = 1;
    record.vid_brightness = 2;
    record.vid_enc_bitrate_R = 0;
    record.vid_brightness_R = 4;
    record.flip_video = 0;
    record.rear_fps = 1;
    record.front_cpl_use = 3;
    record.rear_cpl_use = 2;
    record.En_SuperNightVision = 1;
    record.b_angle = 0;
    record.b_model = 0;
    record.ledoff_rear = 1;
    record.Gamma = 0;
    return record;
}

TEST(VideoTab, ShowsAndStoresEveryControlLeavingOtherBytesAlone)
{
    VideoTab video;
    const FILEDATA before = validVideoRecord();
    FILEDATA record = before;
    video.tab->setFileData(video.document.of(record));

    EXPECT_EQ(video.seg("videoEncodingBitrate")->selectedSegment(), 1);
    EXPECT_EQ(video.seg("videoBrightness")->labelForSegment(2), "3(Default)");
    EXPECT_EQ(video.seg("rearTinting")->labelForSegment(0), "Off");
    EXPECT_EQ(video.seg("channel")->labelForSegment(1), "1 Channel (Front)");

    // Segment, field, the segment the record shows, the one chosen.
    const std::tuple<const char *, std::string_view, int, int> controls[] = {
        {"videoBrightness", "vid_brightness", 2, 0},  {"videoBrightnessRear", "vid_brightness_R", 4, 3},
        {"flipVideoRealSeg", "flip_video", 0, 1},     {"rearfpsSeg", "rear_fps", 1, 0},
        {"frontTinting", "front_cpl_use", 3, 1},      {"rearTinting", "rear_cpl_use", 2, 0},
        {"wdr", "En_SuperNightVision", 1, 0},         {"viewAngle", "b_angle", 0, 1}};
    for (const auto &[segment, field, shown, chosen] : controls) {
        EXPECT_EQ(video.seg(segment)->selectedSegment(), shown) << segment;
        video.choose(segment, chosen);
    }
    ASSERT_TRUE(video.tab->populate());
    for (const auto &[segment, field, shown, chosen] : controls)
        EXPECT_EQ(fieldValue(record, field), chosen) << segment;
    EXPECT_EQ(record.ledoff_rear, 1u) << "two channels keep the rear LED setting";
    EXPECT_TRUE(changedBytesOutside(before, record, kVideoFields).empty());
    EXPECT_TRUE(alertsOf(&video.window).empty()) << "no quality changed";
    EXPECT_TRUE(video.tab->validateUserInput().isNull());
}

TEST(VideoTab, RearFrameRateLabelsFollowTheMainsFrequency)
{
    VideoTab video;
    FILEDATA record = validVideoRecord();
    record.Gamma = 1;
    video.tab->setFileData(video.document.of(record));
    EXPECT_EQ(video.seg("rearfpsSeg")->labelForSegment(0), "25fps");
    EXPECT_EQ(video.seg("rearfpsSeg")->labelForSegment(1), "15fps");
    EXPECT_EQ(video.seg("rearfpsSeg")->selectedSegment(), 1);

    record.Gamma = 0;
    record.rear_fps = 0;
    video.tab->setFileData(video.document.of(record));
    EXPECT_EQ(video.seg("rearfpsSeg")->labelForSegment(0), "30fps");
    EXPECT_EQ(video.seg("rearfpsSeg")->selectedSegment(), 0);
}

TEST(VideoTab, OddValuesAreMappedOrKept)
{
    VideoTab video;
    FILEDATA record = validVideoRecord();
    record.flip_video = 2;
    record.rear_fps = 7;
    record.vid_enc_bitrate = 9;
    record.front_cpl_use = 0xFFFFFFFFu;
    record.b_angle = -1;
    video.tab->setFileData(video.document.of(record));

    EXPECT_EQ(video.seg("flipVideoRealSeg")->selectedSegment(), 0);
    EXPECT_EQ(video.seg("rearfpsSeg")->selectedSegment(), 0);
    EXPECT_EQ(video.seg("videoEncodingBitrate")->selectedSegment(), -1);
    ASSERT_TRUE(video.tab->populate());
    EXPECT_EQ(record.flip_video, 0u);
    EXPECT_EQ(record.rear_fps, 0u);
    // Nothing chosen: the unknown values go back as they came, never as -1.
    EXPECT_EQ(record.vid_enc_bitrate, 9u);
    EXPECT_EQ(record.front_cpl_use, 0xFFFFFFFFu);
    EXPECT_EQ(record.b_angle, -1);
    EXPECT_TRUE(alertsOf(&video.window).empty());
}

TEST(VideoTab, OneChannelClearsTheRearLed)
{
    VideoTab video;
    FILEDATA record = validVideoRecord();
    video.tab->setFileData(video.document.of(record));
    video.choose("channel", 1);
    ASSERT_TRUE(video.tab->populate());
    EXPECT_EQ(record.b_model, 1u);
    EXPECT_EQ(record.ledoff_rear, 0u);
}

TEST(VideoTab, ChangedQualityIsWarnedAboutOncePerStoreAndKept)
{
    VideoTab video;
    FILEDATA record = validVideoRecord();
    video.tab->setFileData(video.document.of(record));
    video.choose("videoEncodingBitrateRear", 2);
    ASSERT_TRUE(video.tab->populate());
    EXPECT_EQ(record.vid_enc_bitrate_R, 2u);
    auto alerts = alertsOf(&video.window);
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0]->text(), "Warning");
    EXPECT_TRUE(alerts[0]->informativeText().contains("recording quality"));
    dismissAlerts(&video.window);

    // Shown again (as a new visit does), the stored quality is no change.
    video.tab->setFileData(video.document.of(record));
    ASSERT_TRUE(video.tab->populate());
    EXPECT_TRUE(alertsOf(&video.window).empty());
}

} // namespace
