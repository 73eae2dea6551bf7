#include "TabRecordPattern.h"
#include "TestFolder.h"

#include "demo/DemoCardFilesWriter.h"
#include "widgets/TKSegmentedControl.h"
#include "widgets/VMMultiHandleSlider.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// What a user does with the demo card: open its config.bin, go through every
// editing tab, save, and read the file back with the command-line tool.
TEST(SettingsDemoCard, EditsOfEveryTabReachTheFileTheCommandLineToolReads)
{
    TestFolder card("demo_settings");
    ASSERT_FALSE(DemoCardFilesWriter::write(card.path()).has_value());
    const std::string configFile = card.path("config.bin");
    const QJsonObject before = configFieldsByTheCommandLine(configFile);

    VRDSettingController::Environment environment;
    environment.diskService = std::make_shared<FakeDiskService>();
    environment.settingFilePath = QString::fromStdString(configFile);
    VRDSettingController window(std::move(environment));
    QSignalSpy loaded(&window, &VRDSettingController::settingFileLoaded);
    window.show();
    ASSERT_TRUE(loaded.wait(5000));
    const auto segment = [&window](const char *name, int index) {
        window.findChild<TKSegmentedControl *>(name)->buttonForSegment(index)->click();
    };
    const auto child = [&window](const char *name) { return window.findChild<QWidget *>(name); };
    const auto type = [&](const char *name, const char *text) {
        auto *field = qobject_cast<QLineEdit *>(child(name));
        field->clear();
        QTest::keyClicks(field, text);
    };
    const auto goTo = [&](int tab) {
        segment("functionSegmentedControl", tab);
        dismissAlerts(&window); // the quality warning of the Video tab
        ASSERT_EQ(window.lastSelectedTabIndex(), tab);
    };

    segment("channel", 1);
    segment("videoEncodingBitrateRear", 2);

    goTo(1);
    segment("alwaysModeTimeoutSeg", 8);
    segment("gsensorSensitivityDrivingSeg", 5);
    type("gsensorSensitivityThresholdXDrivingField", "0.35");
    type("gsensorSensitivityThresholdYDrivingField", "0.29");
    type("gsensorSensitivityThresholdZDrivingField", "1.5");
    segment("gsensorSensitivityParkingSeg", 0);
    segment("frontLEDSeg", 1);
    type("carNumberField", "12 AB-3456");
    qobject_cast<QComboBox *>(child("powerVoltageCombo"))->setCurrentIndex(11);
    qobject_cast<QComboBox *>(child("powerTimeCombo"))->setCurrentIndex(5);
    segment("cableVoltageLossSeg", 6);

    goTo(2);
    qobject_cast<QComboBox *>(child("timeGmtCombo"))->setCurrentIndex(22);
    segment("saveDurationSeg", 6);

    goTo(3);
    type("ssidLabel", "Dashcam-7");
    segment("lcdScreenSaverSeg", 2);
    window.findChild<VMMultiHandleSlider *>("multiHandleSlider")->setValue("High", 0.8f);

    goTo(4);
    segment("frontSensitivitySeg", 5);
    segment("rearSensitivitySeg", 1);
    qobject_cast<QCheckBox *>(child("frontMotionBlock01Chk"))->click();
    qobject_cast<QCheckBox *>(child("rearMotionBlock06Chk"))->click();
    segment("parkingModeSeg", 1);
    segment("nightVisionSeg", 1);

    goTo(5);
    qobject_cast<QComboBox *>(child("adasLDWSSpeedCombo"))->setCurrentIndex(10);
    qobject_cast<QComboBox *>(child("adasHeadwaySensCombo"))->setCurrentIndex(1);
    qobject_cast<QSpinBox *>(child("heightInput"))->stepUp();

    goTo(6);
    segment("micSeg", 0);
    segment("speakerSeg", 3);
    qobject_cast<QCheckBox *>(child("useEveryHourNoticeChk"))->click();
    qobject_cast<QRadioButton *>(child("malaysiaRadio"))->click();
    window.onSave();
    dismissAlerts(&window);

    const QJsonObject fields = configFieldsByTheCommandLine(configFile);
    const std::pair<const char *, int> expected[] = {
        {"b_model", 1},                 {"ledoff_rear", 0},           {"vid_enc_bitrate_R", 2},
        {"always_mode_timeout", 600},   {"gsen_x_threshold", 35},     {"gsen_y_threshold", 29},
        {"gsen_z_threshold", 150},      {"parkmode_z_threshold", 25}, {"ledoff", 1},
        {"osd_plate_flag", 1},          {"sd_mem_always_reserved", 12300}, {"sd_mem_motion_reserved", 24},
        {"CableVoltCorr", 7},           {"time_gmt", 22},             {"summer_time", 1},
        {"SaveDuration", 6},            {"lcd_screensaver", 2},       {"sd_mem_motion_ratio", 10},
        {"sd_mem_event_ratio", 20},     {"motion720pCValue", 5},      {"motion1080pCValue", 1},
        {"motionBlock", 96 | 256},      {"motionBlock_Rear", 64},     {"ParkingMode", 1},
        {"En_SuperNightVision", 1},     {"ADAS_Ldws_Speed", 100},     {"Car_height2", 1},
        {"aud_input_vol", 0},           {"aud_output_vol", 3},        {"alarm_ontime_flag", 0},
        {"Brightness1", 20}};
    for (const auto &[field, value] : expected)
        EXPECT_EQ(fields[field].toInt(), value) << field;
    EXPECT_EQ(fields["szPlateNumber"].toString(), "12AB3456");
    EXPECT_EQ(fields["wifi_ssid"].toString(), "Dashcam-7");
    EXPECT_EQ(static_cast<float>(fields["ADAS_HeadWayFactor"].toDouble()), 1.15f);
    // Fields no tab touched are as the card had them.
    for (const char *other : {"vid_enc_bitrate", "Gamma", "sd_mem_always_ratio", "LaneWidth", "wifi_password"})
        EXPECT_EQ(fields[other], before[other]) << other;
}

} // namespace
