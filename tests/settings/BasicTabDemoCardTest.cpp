#include "SettingControllerFakes.h"
#include "TabRecordPattern.h"
#include "TestFolder.h"

#include "demo/DemoCardFilesWriter.h"
#include "widgets/TKSegmentedControl.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QProcess>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QJsonObject configFields(const std::string &path)
{
    QProcess tovik;
    tovik.start(qEnvironmentVariable("TOVIK_BUILD_DIR") + "/src/cli/tovik",
                {"config", "show", "--json", QString::fromStdString(path)});
    EXPECT_TRUE(tovik.waitForFinished(30000));
    const QJsonObject shown = QJsonDocument::fromJson(tovik.readAllStandardOutput()).object();
    EXPECT_TRUE(shown["accepted"].toBool());
    return shown["fields"].toObject();
}

} // namespace

// The Basic, Parking and Audio tabs on the demo card's config.bin, as a user
// goes through them: change, save, and read the file back with the
// command-line tool.
TEST(BasicTabDemoCard, ValuesOfTheThreeTabsReachTheSavedFile)
{
    const WithStringTable strings;
    TestFolder card("tabs_a_demo");
    ASSERT_FALSE(DemoCardFilesWriter::write(card.path()).has_value());
    const std::string configFile = card.path("config.bin");
    const QJsonObject before = configFields(configFile);

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

    segment("functionSegmentedControl", 1);
    ASSERT_EQ(window.lastSelectedTabIndex(), 1);
    segment("alwaysModeTimeoutSeg", 8);
    segment("gsensorSensitivityDrivingSeg", 5);
    for (const auto &[name, typed] : {std::pair{"gsensorSensitivityThresholdXDrivingField", "0.35"},
                                      std::pair{"gsensorSensitivityThresholdYDrivingField", "0.29"},
                                      std::pair{"gsensorSensitivityThresholdZDrivingField", "1.5"}}) {
        auto *field = qobject_cast<QLineEdit *>(child(name));
        field->clear();
        QTest::keyClicks(field, typed);
    }
    segment("gsensorSensitivityParkingSeg", 0);
    segment("frontLEDSeg", 1);
    auto *plate = qobject_cast<QLineEdit *>(child("carNumberField"));
    plate->clear();
    QTest::keyClicks(plate, "12 AB-3456");
    qobject_cast<QComboBox *>(child("powerVoltageCombo"))->setCurrentIndex(11);
    qobject_cast<QComboBox *>(child("powerTimeCombo"))->setCurrentIndex(5);
    segment("cableVoltageLossSeg", 6);

    segment("functionSegmentedControl", 4);
    ASSERT_EQ(window.lastSelectedTabIndex(), 4);
    segment("frontSensitivitySeg", 5);
    segment("rearSensitivitySeg", 1);
    qobject_cast<QCheckBox *>(child("frontMotionBlock01Chk"))->click();
    qobject_cast<QCheckBox *>(child("rearMotionBlock06Chk"))->click();
    segment("parkingModeSeg", 1);
    segment("nightVisionSeg", 1);

    segment("functionSegmentedControl", 6);
    ASSERT_EQ(window.lastSelectedTabIndex(), 6);
    segment("micSeg", 0);
    segment("speakerSeg", 3);
    qobject_cast<QCheckBox *>(child("useEveryHourNoticeChk"))->click();
    qobject_cast<QRadioButton *>(child("malaysiaRadio"))->click();
    window.onSave();
    dismissAlerts(&window);

    const QJsonObject fields = configFields(configFile);
    EXPECT_EQ(fields["always_mode_timeout"].toInt(), 600);
    EXPECT_EQ(fields["gsen_x_threshold"].toInt(), 35);
    EXPECT_EQ(fields["gsen_y_threshold"].toInt(), 29);
    EXPECT_EQ(fields["gsen_z_threshold"].toInt(), 150);
    EXPECT_EQ(fields["parkmode_z_threshold"].toInt(), 25);
    EXPECT_EQ(fields["ledoff"].toInt(), 1);
    EXPECT_EQ(fields["szPlateNumber"].toString(), "12AB3456");
    EXPECT_EQ(fields["osd_plate_flag"].toInt(), 1);
    EXPECT_EQ(fields["sd_mem_always_reserved"].toInt(), 12300);
    EXPECT_EQ(fields["sd_mem_motion_reserved"].toInt(), 24);
    EXPECT_EQ(fields["CableVoltCorr"].toInt(), 7);
    EXPECT_EQ(fields["motion720pCValue"].toInt(), 5);
    EXPECT_EQ(fields["motion1080pCValue"].toInt(), 1);
    EXPECT_EQ(fields["motionBlock"].toInt(), 96 | 256);
    EXPECT_EQ(fields["motionBlock_Rear"].toInt(), 64);
    EXPECT_EQ(fields["ParkingMode"].toInt(), 1);
    EXPECT_EQ(fields["En_SuperNightVision"].toInt(), 1);
    EXPECT_EQ(fields["aud_input_vol"].toInt(), 0);
    EXPECT_EQ(fields["aud_output_vol"].toInt(), 3);
    EXPECT_EQ(fields["alarm_ontime_flag"].toInt(), 0);
    EXPECT_EQ(fields["Brightness1"].toInt(), 20);
    // Fields of other tabs are as the card had them.
    for (const char *other : {"vid_enc_bitrate", "time_gmt", "sd_mem_always_ratio", "wifi_ssid", "LaneWidth", "b_model"})
        EXPECT_EQ(fields[other], before[other]) << other;
}
