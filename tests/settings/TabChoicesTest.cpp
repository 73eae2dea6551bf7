#include "config/FILEDATA.h"
#include "config/VRDFileData.h"
#include "config/VRDSettingRules.h"
#include "settings/VRDConfigDocument.h"
#include "settings/VRDSettingForAdasViewController.h"
#include "settings/VRDSettingForGpsViewController.h"
#include "settings/VRDSettingForVideoViewController.h"
#include "widgets/TKSegmentedControl.h"

#include <QComboBox>
#include <gtest/gtest.h>

#include <string_view>
#include <utility>
#include <vector>

namespace {

using ControlsOfFields = std::vector<std::pair<const char *, const char *>>;

int choiceCount(const QWidget &tab, const char *control)
{
    if (const auto *segments = tab.findChild<TKSegmentedControl *>(control))
        return segments->segmentCount();
    if (const auto *list = tab.findChild<QComboBox *>(control))
        return list->count();
    ADD_FAILURE() << "no control " << control;
    return -1;
}

void expectChoicesFollowRules(VRDSettingControllerDelegate &tab, VRDConfigDocument *document, const ControlsOfFields &controls)
{
    tab.setFileData(document);
    for (const auto &[control, field] : controls) {
        const VRDSettingRule *rule = VRDSettingRules::find(field);
        ASSERT_NE(rule, nullptr) << field;
        // Below 0 only the time zone's -1, "none", which has no entry of its own.
        EXPECT_EQ(rule->minimum, std::string_view(field) == "time_gmt" ? -1 : 0) << field;
        EXPECT_EQ(choiceCount(dynamic_cast<QWidget &>(tab), control), rule->maximum + 1) << control;
    }
}

} // namespace

// Each choice control offers exactly the values `tovik config set` accepts for
// its field: no more (the camera would get a value it does not know), no fewer.
TEST(TabChoices, EveryChoiceControlOffersExactlyTheValuesTheRulesAllow)
{
    FILEDATA record;
    VRDResetFileData(record);
    VRDConfigDocument document;
    document.replace(record);
    VRDSettingForVideoViewController video;
    expectChoicesFollowRules(video, &document,
                             {{"videoEncodingBitrate", "vid_enc_bitrate"}, {"videoEncodingBitrateRear", "vid_enc_bitrate_R"},
                              {"videoBrightness", "vid_brightness"}, {"videoBrightnessRear", "vid_brightness_R"},
                              {"flipVideoRealSeg", "flip_video"}, {"rearfpsSeg", "rear_fps"},
                              {"frontTinting", "front_cpl_use"}, {"rearTinting", "rear_cpl_use"},
                              {"wdr", "En_SuperNightVision"}, {"viewAngle", "b_angle"}, {"channel", "b_model"}});
    VRDSettingForGpsViewController gps;
    expectChoicesFollowRules(gps, &document,
                             {{"drivingDaySeg", "nodriving_day"}, {"speedDisplayUnitSeg", "speed_disp_unit"},
                              {"osdSpeedDisplaySeg", "osd_speed_flag"}, {"saveDurationSeg", "SaveDuration"},
                              {"nightTimeSeg", "NightTime"}, {"timeGmtCombo", "time_gmt"}});
    VRDSettingForAdasViewController adas(&document);
    expectChoicesFollowRules(adas, &document,
                             {{"adasLDWSSenseCombo", "ADAS_LDWS_Sens"}, {"adasFCWSSenseCombo", "ADAS_FCWS_Sens"},
                              {"adasLaneWidthCombo", "LaneWidth"}, {"adasVibratorCombo", "ADAS_vibe"},
                              {"adasVibratorStrengthCombo", "vibratorStrength"}, {"adasUFCWSSensSeg", "ADAS_uFCWS_Sens"},
                              {"adasFcmdEnableSeg", "ADAS_FCMD_Enable"}, {"adasFcmdSensSeg", "ADAS_FCMD_Sens"}});

    // A tab shown without a record has nothing to store into.
    EXPECT_FALSE(VRDSettingForVideoViewController().populate());
    EXPECT_FALSE(VRDSettingForGpsViewController().populate());
}
