#include "config/VRDFileData.h"
#include "settings/VRDCarNumberTextField.h"
#include "settings/VRDSettingForBasicViewController.h"
#include "widgets/TKSegmentedControl.h"

#include "MirroredDocument.h"
#include "TabRecordPattern.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// Valid values in every field the tab shows, whatever else the record holds.
void putBasicValues(FILEDATA &record)
{
    record.always_mode_timeout = 120;
    record.g_sensor_enable = 1;
    record.gsen_x_threshold = 45;
    record.gsen_y_threshold = 55;
    record.gsen_z_threshold = 65;
    record.parkmode_x_threshold = 15;
    record.parkmode_y_threshold = 15;
    record.parkmode_z_threshold = 15;
    record.ledoff = 1;
    record.ledoff_rear = 1;
    record.b_model = 0;
    std::memcpy(record.szPlateNumber, "AB12\0\0\0\0", 8);
    record.sd_mem_always_reserved = 11700;
    record.sd_mem_event_reserved = 0;
    record.sd_mem_motion_reserved = 24;
    record.CableVoltCorr = 6;
}

class BasicTab : public ::testing::Test, private WithStringTable {
protected:
    void SetUp() override
    {
        VRDResetFileData(record);
    }

    void show()
    {
        tab.resize(748, 500);
        tab.setFileData(document.of(record));
    }

    template <typename T>
    T *child(const char *name)
    {
        T *found = tab.findChild<T *>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    TKSegmentedControl *segment(const char *name) { return child<TKSegmentedControl>(name); }
    QLineEdit *field(const char *name) { return child<QLineEdit>(name); }
    QStringList texts(std::initializer_list<const char *> names)
    {
        QStringList result;
        for (const char *name : names)
            result << field(name)->text();
        return result;
    }
    void click(const char *segmentName, int index) { segment(segmentName)->buttonForSegment(index)->click(); }
    QList<QMessageBox *> alerts() { return tab.findChildren<QMessageBox *>(); }

    FILEDATA record{};
    MirroredDocument document;
    VRDSettingForBasicViewController tab;
};

const std::initializer_list<const char *> kDrivingFields{"gsensorSensitivityThresholdXDrivingField",
                                                         "gsensorSensitivityThresholdYDrivingField",
                                                         "gsensorSensitivityThresholdZDrivingField"};
const std::initializer_list<const char *> kParkingFields{"gsensorSensitivityThresholdXParkingField",
                                                         "gsensorSensitivityThresholdYParkingField",
                                                         "gsensorSensitivityThresholdZParkingField"};

} // namespace

TEST_F(BasicTab, DefaultsShowAsTheirListEntriesAndStoreBackUnchanged)
{
    show();
    const FILEDATA shown = record;
    for (const auto &[name, selected] : {std::pair{"alwaysModeTimeoutSeg", 1}, {"gsensorSensitivityDrivingSeg", 2},
                                         {"gsensorSensitivityParkingSeg", 4}, {"cableVoltageLossSeg", 3}})
        EXPECT_EQ(segment(name)->selectedSegment(), selected) << name;
    EXPECT_EQ(segment("alwaysModeTimeoutSeg")->labelForSegment(1), "10 sec");
    EXPECT_EQ(segment("gsensorSensitivityParkingSeg")->labelForSegment(0), "1(Low)");
    EXPECT_EQ(texts(kParkingFields), QStringList({"0.08", "0.08", "0.08"}));
    EXPECT_EQ(field("carNumberField")->text(), "Tovik");
    for (const auto &[name, text] : {std::pair{"powerVoltageCombo", "12.1v / 24.2v"}, {"powerTimeCombo", "Off"}}) {
        EXPECT_EQ(child<QComboBox>(name)->currentText(), text);
        EXPECT_FALSE(child<QComboBox>(name)->isEditable()) << name;
    }

    ASSERT_TRUE(tab.populate());
    EXPECT_TRUE(sameBytes(record, shown));
    VRDSettingForBasicViewController withoutRecord;
    EXPECT_FALSE(withoutRecord.populate());
    EXPECT_TRUE(withoutRecord.validateUserInput().isNull());
}

TEST_F(BasicTab, FieldsOutsideTheTabKeepEveryByte)
{
    record = patternRecord();
    putBasicValues(record);
    const FILEDATA before = record;
    show();
    ASSERT_TRUE(tab.populate());
    // Values inside the lists come back as they were, the custom triple too.
    EXPECT_TRUE(sameBytes(record, before));
}

TEST_F(BasicTab, ThresholdTriplesShowAsPresetOrCustom)
{
    record.gsen_x_threshold = 50;
    record.gsen_y_threshold = 50;
    record.gsen_z_threshold = 60;
    show();
    EXPECT_EQ(segment("gsensorSensitivityDrivingSeg")->selectedSegment(), 5);
    EXPECT_EQ(texts(kDrivingFields), QStringList({"0.50", "0.50", "0.60"}));
    for (const char *name : kDrivingFields)
        EXPECT_TRUE(field(name)->isEnabled());
    for (const char *name : kParkingFields)
        EXPECT_FALSE(field(name)->isEnabled());

    click("gsensorSensitivityDrivingSeg", 4);
    EXPECT_EQ(texts(kDrivingFields), QStringList({"0.30", "0.30", "0.30"}));
    for (const char *name : kDrivingFields)
        EXPECT_FALSE(field(name)->isEnabled());
    click("gsensorSensitivityParkingSeg", 0);
    EXPECT_EQ(texts(kParkingFields), QStringList({"0.25", "0.25", "0.25"}));

    ASSERT_TRUE(tab.populate());
    EXPECT_EQ(record.gsen_x_threshold, 30);
    EXPECT_EQ(record.gsen_z_threshold, 30);
    EXPECT_EQ(record.parkmode_y_threshold, 25);
}

TEST_F(BasicTab, GsensorSwitchEnablesOnlyTheCustomFields)
{
    record.g_sensor_enable = 0;
    record.gsen_x_threshold = 51;
    show();
    EXPECT_FALSE(segment("gsensorSensitivityDrivingSeg")->isEnabled());
    EXPECT_FALSE(field("gsensorSensitivityThresholdXDrivingField")->isEnabled());

    child<QCheckBox>("gsensorEnableChk")->click();
    EXPECT_TRUE(segment("gsensorSensitivityDrivingSeg")->isEnabled());
    EXPECT_TRUE(field("gsensorSensitivityThresholdXDrivingField")->isEnabled());
    // Preset fields stay closed to typing.
    EXPECT_FALSE(field("gsensorSensitivityThresholdXParkingField")->isEnabled());
    ASSERT_TRUE(tab.populate());
    EXPECT_EQ(record.g_sensor_enable, 1u);
}

TEST_F(BasicTab, OutOfTableValuesShowTheirFallbackEntries)
{
    record.always_mode_timeout = 45;
    record.sd_mem_always_reserved = 5000;
    record.sd_mem_motion_reserved = 5;
    record.CableVoltCorr = 0;
    record.b_model = 1;
    record.ledoff_rear = 1;
    record.ledoff = 7;
    show();
    // Written as soon as the tab is shown.
    EXPECT_EQ(record.CableVoltCorr, 4u);
    EXPECT_EQ(record.ledoff_rear, 0u);
    EXPECT_EQ(segment("cableVoltageLossSeg")->labelForSegment(segment("cableVoltageLossSeg")->selectedSegment()), "0.3v");
    EXPECT_FALSE(segment("rearLEDSeg")->isEnabled());
    EXPECT_EQ(segment("alwaysModeTimeoutSeg")->labelForSegment(segment("alwaysModeTimeoutSeg")->selectedSegment()),
              "30 sec");
    EXPECT_EQ(child<QComboBox>("powerVoltageCombo")->currentText(), "12.0v / 24.0v");
    EXPECT_EQ(segment("frontLEDSeg")->selectedSegment(), -1);

    ASSERT_TRUE(tab.populate());
    EXPECT_EQ(record.always_mode_timeout, 30u);
    EXPECT_EQ(record.sd_mem_always_reserved, 12000u);
    EXPECT_EQ(record.sd_mem_motion_reserved, 0u);
    EXPECT_EQ(record.CableVoltCorr, 4u);
    EXPECT_EQ(record.ledoff, 7u) << "a value the control cannot show is kept";
    EXPECT_EQ(record.ledoff_rear, 0u);
}

TEST_F(BasicTab, CustomThresholdsAreValidatedInOrderWithFocusOnTheOffender)
{
    record.gsen_x_threshold = 50;
    record.gsen_y_threshold = 50;
    record.gsen_z_threshold = 60;
    record.parkmode_x_threshold = 1;
    record.parkmode_y_threshold = 20;
    record.parkmode_z_threshold = 20;
    show();
    tab.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&tab));
    const FILEDATA shown = record;

    field("gsensorSensitivityThresholdYDrivingField")->setText("1.51");
    EXPECT_EQ(tab.validateUserInput(), "Enter a value from 0.05 to 1.5 g.");
    EXPECT_FALSE(tab.populate());
    EXPECT_TRUE(sameBytes(record, shown));
    QTRY_COMPARE(QApplication::focusWidget(), field("gsensorSensitivityThresholdYDrivingField"));

    field("gsensorSensitivityThresholdYDrivingField")->setText("1.5");
    EXPECT_EQ(tab.validateUserInput(), "Enter a value from 0.05 to 1.5 g.") << "parking X holds 0.01";
    QTRY_COMPARE(QApplication::focusWidget(), field("gsensorSensitivityThresholdXParkingField"));
    field("gsensorSensitivityThresholdXParkingField")->setText(".");
    EXPECT_EQ(tab.validateUserInput(), "Enter a number, such as 0.50.");

    // An empty field passes and stores 0; 0.29 g is 29, not 28.
    field("gsensorSensitivityThresholdXParkingField")->setText("");
    field("gsensorSensitivityThresholdZDrivingField")->setText("0.29");
    EXPECT_TRUE(tab.validateUserInput().isNull());
    ASSERT_TRUE(tab.populate());
    EXPECT_EQ(record.gsen_y_threshold, 150);
    EXPECT_EQ(record.gsen_z_threshold, 29);
    EXPECT_EQ(record.parkmode_x_threshold, 0);

    // A preset replaces the custom values, so nothing is left to refuse.
    field("gsensorSensitivityThresholdXParkingField")->setText(".");
    click("gsensorSensitivityParkingSeg", 1);
    EXPECT_TRUE(tab.validateUserInput().isNull());
    ASSERT_TRUE(tab.populate());
    EXPECT_EQ(record.parkmode_x_threshold, 20);
}

TEST_F(BasicTab, ThresholdFieldsTakeOneIntegerAndTwoFractionDigits)
{
    record.gsen_x_threshold = 44;
    show();
    QLineEdit *x = field("gsensorSensitivityThresholdXDrivingField");
    x->clear();
    QTest::keyClicks(x, "12a.345");
    EXPECT_EQ(x->text(), "1.34");
    x->clear();
    QTest::keyClicks(x, ".5");
    QTest::keyClick(x, Qt::Key_Return);
    EXPECT_EQ(x->text(), "0.50");
}

TEST_F(BasicTab, ExternalPowerIsWrittenAtOnceAndLocksTheCombos)
{
    show();
    auto *external = child<QCheckBox>("useExternalPowerChk");
    external->click();
    EXPECT_EQ(record.sd_mem_event_reserved, 1u);
    EXPECT_FALSE(child<QComboBox>("powerVoltageCombo")->isEnabled());
    EXPECT_FALSE(child<QComboBox>("powerTimeCombo")->isEnabled());
    external->click();
    EXPECT_EQ(record.sd_mem_event_reserved, 0u);
    EXPECT_TRUE(child<QComboBox>("powerTimeCombo")->isEnabled());

    record.sd_mem_event_reserved = 1;
    tab.setFileData(document.of(record));
    EXPECT_TRUE(external->isChecked());
    EXPECT_FALSE(child<QComboBox>("powerVoltageCombo")->isEnabled());
}

TEST_F(BasicTab, ExternalPowerVoltageWarnsAndStays)
{
    show();
    auto *voltage = child<QComboBox>("powerVoltageCombo");
    voltage->setCurrentIndex(1);
    QTest::keyClick(voltage, Qt::Key_Down);
    ASSERT_EQ(voltage->currentIndex(), 2);
    ASSERT_EQ(alerts().size(), 1);
    EXPECT_EQ(alerts().front()->text(), "Warning");
    EXPECT_TRUE(alerts().front()->informativeText().startsWith("Choose \"External Power\""));
    alerts().front()->done(QMessageBox::Ok);
    ASSERT_TRUE(tab.populate());
    EXPECT_EQ(record.sd_mem_always_reserved, 10000u);
}

TEST_F(BasicTab, TypedVehicleNumberIsCleanedAndTheCardsOneKept)
{
    std::memcpy(record.szPlateNumber, "AB\0junk!", 8);
    show();
    EXPECT_EQ(field("carNumberField")->text(), "AB");
    ASSERT_TRUE(tab.populate());
    EXPECT_EQ(std::memcmp(record.szPlateNumber, "AB\0junk!", 8), 0) << "untouched, so kept byte for byte";

    field("carNumberField")->clear();
    QTest::keyClicks(field("carNumberField"), "12 AB-3456");
    ASSERT_TRUE(tab.populate());
    EXPECT_EQ(field("carNumberField")->text(), "12AB3456");
    EXPECT_EQ(std::memcmp(record.szPlateNumber, "12AB3456", 8), 0);

    QTest::keyClick(field("carNumberField"), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field("carNumberField"), Qt::Key_Delete);
    ASSERT_TRUE(tab.populate());
    EXPECT_EQ(std::memcmp(record.szPlateNumber, "\0\0\0\0\0\0\0\0", 8), 0);
}
