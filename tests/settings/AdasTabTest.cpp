#include "SettingControllerFakes.h"
#include "MirroredDocument.h"
#include "TabRecordPattern.h"

#include "config/FILEDATA.h"
#include "config/VRDFileData.h"
#include "config/VRDSettingRules.h"
#include "settings/VRDSettingForAdasViewController.h"
#include "widgets/TKSegmentedControl.h"

#include <QComboBox>
#include <QLayout>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// The backing array lives as long as the list (a namespace-scope object).
const std::initializer_list<std::string_view> kAdasFields{
    "ADAS_LDWS_Sens",  "ADAS_Ldws_Speed", "ADAS_FCWS_Sens",   "ADAS_FCWS_Speed", "ADAS_FCMD_Enable",
    "ADAS_FCMD_Sens",  "ADAS_HeadWayFactor", "ADAS_SafeDistacne", "ADAS_uFCWS_Sens", "LaneWidth",
    "ADAS_vibe",       "vibratorStrength", "Car_height0",      "Car_height1",     "Car_height2",
    "Car_leftwidth0",  "Car_leftwidth1",  "Car_leftwidth2",   "Car_rightwidth0", "Car_rightwidth1",
    "Car_rightwidth2"};

class AdasTab : public ::testing::Test, public WithStringTable {
protected:
    AdasTab() { VRDResetFileData(record); }

    // A new tab on the record, as the settings window builds it on every visit.
    VRDSettingForAdasViewController &open()
    {
        tab = std::make_unique<VRDSettingForAdasViewController>(document.of(record));
        tab->setFileData(document.of(record));
        return *tab;
    }

    template <typename T>
    T *control(const char *name)
    {
        return tab->findChild<T *>(name);
    }
    QString comboText(const char *name) { return control<QComboBox>(name)->currentText(); }

    FILEDATA record{};
    MirroredDocument document;
    std::unique_ptr<VRDSettingForAdasViewController> tab;
};

} // namespace

TEST_F(AdasTab, DefaultsShowTheirEntriesAndStoreBackUnchanged)
{
    const FILEDATA before = record;
    open();
    EXPECT_EQ(comboText("adasLDWSSenseCombo"), "9");
    EXPECT_EQ(comboText("adasLDWSSpeedCombo"), "40Km/h");
    EXPECT_EQ(comboText("adasFCWSSenseCombo"), "2.6");
    EXPECT_EQ(comboText("adasFCWSSpeedCombo"), "10Km/h");
    EXPECT_EQ(comboText("adasHeadwaySensCombo"), "1.5");
    EXPECT_EQ(comboText("adasHeadwayZoneCombo"), "1.0");
    EXPECT_EQ(comboText("adasLaneWidthCombo"), "3.4m");
    EXPECT_EQ(control<QSpinBox>("heightInput")->text(), "130cm");
    EXPECT_EQ(control<QSpinBox>("leftWidthInput")->text(), "100cm");
    EXPECT_EQ(control<TKSegmentedControl>("adasUFCWSSensSeg")->selectedSegment(), 4);
    EXPECT_EQ(control<QComboBox>("adasLDWSSpeedCombo")->itemText(0), TKLocalizedString("setting.aux.auto_format_notuse"));
    EXPECT_TRUE(tab->validateUserInput().isNull());
    ASSERT_TRUE(tab->populate());
    EXPECT_TRUE(sameBytes(before, record));

    VRDSettingForAdasViewController unset(nullptr);
    EXPECT_FALSE(unset.populate());
}

TEST_F(AdasTab, SpeedsFollowTheRecordsUnit)
{
    record.speed_disp_unit = 1;
    record.ADAS_Ldws_Speed = 35; // not in the mi/h table
    record.ADAS_FCWS_Speed = 20; // stored earlier in km/h
    open();
    EXPECT_EQ(comboText("adasLDWSSpeedCombo"), "15Mi/h");
    EXPECT_EQ(comboText("adasFCWSSpeedCombo"), "20Mi/h");
    EXPECT_EQ(control<QComboBox>("adasFCWSSpeedCombo")->count(), 11);
    EXPECT_EQ(control<QComboBox>("adasFCWSSpeedCombo")->findText("35Mi/h"), -1);
    ASSERT_TRUE(tab->populate());
    EXPECT_EQ(record.ADAS_Ldws_Speed, 15);
    EXPECT_EQ(record.ADAS_FCWS_Speed, 20);

    record.ADAS_Ldws_Speed = 40;
    open();
    EXPECT_EQ(comboText("adasLDWSSpeedCombo"), "40Mi/h");

    record.speed_disp_unit = 0;
    record.ADAS_Ldws_Speed = 35;
    open();
    EXPECT_EQ(comboText("adasLDWSSpeedCombo"), "20Km/h");
    control<QComboBox>("adasFCWSSpeedCombo")->setCurrentIndex(10);
    ASSERT_TRUE(tab->populate());
    EXPECT_EQ(record.ADAS_Ldws_Speed, 20);
    EXPECT_EQ(record.ADAS_FCWS_Speed, 100);
}

TEST_F(AdasTab, HeadwayZonesAndFactorsKeepToTheirLists)
{
    record.ADAS_SafeDistacne = 0.7f;
    open();
    EXPECT_EQ(comboText("adasHeadwayZoneCombo"), "0.7");

    ASSERT_EQ(control<QComboBox>("adasHeadwayZoneCombo")->count(), 25);
    for (int i = 0; i < 25; ++i) {
        const float zone = static_cast<float>(i + 6) / 10.0f;
        record.ADAS_SafeDistacne = zone;
        open();
        EXPECT_EQ(control<QComboBox>("adasHeadwayZoneCombo")->currentIndex(), i) << zone;
        ASSERT_TRUE(tab->populate());
        EXPECT_EQ(record.ADAS_SafeDistacne.get(), zone);
    }

    record.ADAS_HeadWayFactor = 1.5f;
    open();
    EXPECT_EQ(control<QComboBox>("adasHeadwaySensCombo")->currentIndex(), 8);
    // Values off the lists show the nearest entry and are stored as it.
    record.ADAS_HeadWayFactor = 1.6f;
    record.ADAS_SafeDistacne = 4.2f;
    open();
    EXPECT_EQ(comboText("adasHeadwaySensCombo"), "1.5");
    EXPECT_EQ(comboText("adasHeadwayZoneCombo"), "3.0");
    ASSERT_TRUE(tab->populate());
    EXPECT_EQ(record.ADAS_HeadWayFactor.get(), 1.5f);
    EXPECT_EQ(record.ADAS_SafeDistacne.get(), 3.0f);

    record.ADAS_HeadWayFactor = std::numeric_limits<float>::quiet_NaN();
    record.ADAS_SafeDistacne = -1.0f;
    open();
    ASSERT_TRUE(tab->populate());
    EXPECT_EQ(record.ADAS_HeadWayFactor.get(), 1.5f) << "the default";
    EXPECT_EQ(record.ADAS_SafeDistacne.get(), 0.6f);
}

TEST_F(AdasTab, DistancesStepAndStayWithinThreeDigits)
{
    open();
    QSpinBox *height = control<QSpinBox>("heightInput");
    height->stepUp();
    EXPECT_EQ(height->text(), "131cm");
    ASSERT_TRUE(tab->populate());
    EXPECT_EQ(record.Car_height0, 1);
    EXPECT_EQ(record.Car_height1, 3);
    EXPECT_EQ(record.Car_height2, 1);

    record.Car_leftwidth0 = 9;
    record.Car_leftwidth1 = 9;
    record.Car_leftwidth2 = 9;
    record.Car_rightwidth0 = 0;
    record.Car_rightwidth1 = 0;
    record.Car_rightwidth2 = 0;
    open();
    control<QSpinBox>("leftWidthInput")->stepUp();
    control<QSpinBox>("rightWidthInput")->stepDown();
    EXPECT_EQ(control<QSpinBox>("leftWidthInput")->text(), "999cm");
    EXPECT_EQ(control<QSpinBox>("rightWidthInput")->text(), "0cm");

    // Digits no three-digit number has are shown and stored at the nearest end.
    record.Car_height0 = 12;
    record.Car_leftwidth2 = -4;
    record.Car_leftwidth0 = 0;
    record.Car_leftwidth1 = 0;
    open();
    EXPECT_EQ(control<QSpinBox>("heightInput")->value(), 999);
    EXPECT_EQ(control<QSpinBox>("leftWidthInput")->value(), 0);
    ASSERT_TRUE(tab->populate());
    EXPECT_EQ(record.Car_height0, 9);
    EXPECT_EQ(record.Car_leftwidth2, 0);
}

TEST_F(AdasTab, ForeignBytesStayAndEveryStoredValueIsOneTheRulesAccept)
{
    FILEDATA pattern = patternRecord();
    record = pattern;
    open();
    ASSERT_TRUE(tab->populate());
    EXPECT_TRUE(changedBytesOutside(pattern, record, kAdasFields).empty());

    // Out-of-list values become list values that `tovik config set` would
    // also accept, so the tab and the rule table agree.
    for (const std::string_view name : kAdasFields) {
        const VRDSettingRule *rule = VRDSettingRules::find(name);
        ASSERT_NE(rule, nullptr) << name;
        const VRDFieldInfo *field = VRDFileDataFields::find(name);
        const std::string text = rule->kind == VRDRuleKind::FloatSet
            ? std::to_string(VRDFileDataFields::floatAt(record, *field))
            : std::to_string(VRDFileDataFields::integerAt(record, *field));
        FILEDATA copy = record;
        EXPECT_TRUE(VRDSettingRules::apply(copy, *rule, text)) << name << " = " << text;
    }
    EXPECT_TRUE(VRDSettingRules::finish(record, {"ADAS_Ldws_Speed"}));
}
