#include "MirroredDocument.h"
#include "TabRecordPattern.h"

#include "config/FILEDATA.h"
#include "config/VRDFileData.h"
#include "settings/VRDSettingForAuxViewController.h"
#include "widgets/TKSegmentedControl.h"
#include "widgets/VMMultiHandleSlider.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>

#include <gtest/gtest.h>

#include <cstring>

namespace {

const std::initializer_list<std::string_view> kAuxFields{
    "sd_mem_always_ratio", "sd_mem_motion_ratio", "sd_mem_event_ratio", "DayTime", "lcd_autopoweroff", "Gamma",
    "lcd_brightness", "lcd_brightness_night", "parking_rear_off", "lcd_screensaver", "parking_alarm",
    "always_mode_recording_time", "pip_position", "autoFormatAlarm", "wifi_ssid", "wifi_password", "wifi_channel",
    "wifiStartMode", "NONE_wifi_dongle"};

void setWifiText(char (&field)[16], const char *text)
{
    std::memset(field, 0, sizeof field);
    std::memcpy(field, text, std::min(std::strlen(text), sizeof field));
}

class AuxTab : public ::testing::Test, public WithStringTable {
protected:
    AuxTab() { VRDResetFileData(record); }

    VRDSettingForAuxViewController &open()
    {
        tab = std::make_unique<VRDSettingForAuxViewController>();
        tab->setFileData(document.of(record));
        return *tab;
    }

    template <typename T>
    T *control(const char *name)
    {
        return tab->findChild<T *>(name);
    }
    TKSegmentedControl *seg(const char *name) { return control<TKSegmentedControl>(name); }
    QString text(const char *name) { return control<QLineEdit>(name)->text(); }
    VMMultiHandleSlider *slider() { return control<VMMultiHandleSlider>("multiHandleSlider"); }

    // The informative text of the alert the tab shows, which is then closed.
    QString takeAlert()
    {
        QString informative;
        for (QMessageBox *box : tab->findChildren<QMessageBox *>()) {
            EXPECT_EQ(box->text(), "Warning");
            informative = box->informativeText();
            box->done(QMessageBox::Ok);
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return informative;
    }

    FILEDATA record{};
    MirroredDocument document;
    std::unique_ptr<VRDSettingForAuxViewController> tab;
};

} // namespace

TEST_F(AuxTab, DefaultsShowAndStoreBackUnchanged)
{
    const FILEDATA before = record;
    open();
    EXPECT_EQ(text("alwaysField"), "70%");
    EXPECT_EQ(text("motionField"), "20%");
    EXPECT_EQ(text("eventField"), "10%");
    EXPECT_FLOAT_EQ(slider()->handle("Low")->curRatio, 0.7f);
    EXPECT_FLOAT_EQ(slider()->handle("High")->curRatio, 0.9f);
    EXPECT_FALSE(seg("lcdBrightnessSeg")->isEnabled()) << "night brightness is on";
    EXPECT_EQ(seg("lcdAutoPowerOffSeg")->labelForSegment(1), TKLocalizedString("nSecond_fmt").arg(15));
    EXPECT_EQ(text("ssidLabel"), "TovikK");
    QComboBox *channels = control<QComboBox>("wifiChannelCombo");
    ASSERT_EQ(channels->count(), 14);
    EXPECT_EQ(channels->itemText(0), "   0(Auto)");
    EXPECT_EQ(channels->itemText(9), "   9");
    EXPECT_EQ(channels->itemText(13), "  13");
    EXPECT_TRUE(tab->validateUserInput().isNull());
    ASSERT_TRUE(tab->populate());
    EXPECT_TRUE(sameBytes(before, record));

    VRDSettingForAuxViewController unset;
    EXPECT_FALSE(unset.populate());
}

TEST_F(AuxTab, SharesComeFromTheSliderAndEachNeedsTenPercent)
{
    open();
    const FILEDATA before = record;
    slider()->setValue("High", 0.95f);
    EXPECT_EQ(text("eventField"), "5%");
    EXPECT_EQ(tab->validateUserInput(), TKLocalizedString("msg.sdcard_ratio_too_low"));
    EXPECT_FALSE(tab->populate());
    EXPECT_TRUE(sameBytes(before, record));

    slider()->setValue("Low", 0.3f);
    slider()->setValue("High", 0.53f); // 0.53f * 100 lies just under 53
    EXPECT_EQ(text("alwaysField"), "30%");
    EXPECT_EQ(text("motionField"), "23%");
    EXPECT_EQ(text("eventField"), "47%");
    ASSERT_TRUE(tab->populate());
    EXPECT_EQ(record.sd_mem_always_ratio, 30u);
    EXPECT_EQ(record.sd_mem_motion_ratio, 23u);
    EXPECT_EQ(record.sd_mem_event_ratio, 47u);

    slider()->setValue("Low", 0.45f);
    EXPECT_EQ(tab->validateUserInput(), TKLocalizedString("msg.sdcard_ratio_too_low")) << "motion 8 %";

    // A record whose "Low" lies beyond the shown "High" still places both.
    record.sd_mem_always_ratio = 80;
    record.sd_mem_motion_ratio = 10;
    record.sd_mem_event_ratio = 10;
    tab->setFileData(document.of(record));
    EXPECT_FLOAT_EQ(slider()->handle("Low")->curRatio, 0.8f);
    EXPECT_FLOAT_EQ(slider()->handle("High")->curRatio, 0.9f);
    record.sd_mem_always_ratio = 10;
    record.sd_mem_event_ratio = 80;
    tab->setFileData(document.of(record));
    EXPECT_FLOAT_EQ(slider()->handle("Low")->curRatio, 0.1f);
    EXPECT_FLOAT_EQ(slider()->handle("High")->curRatio, 0.2f);
    EXPECT_TRUE(tab->validateUserInput().isNull());
}

TEST_F(AuxTab, SegmentMappingsPictureCornerAndNightBrightness)
{
    record.lcd_screensaver = 0;
    record.parking_rear_off = 0;
    record.lcd_brightness_night = 0;
    record.pip_position = 7;
    open();
    EXPECT_EQ(seg("parkingRearOffSeg")->selectedSegment(), 1) << "use";
    EXPECT_TRUE(seg("lcdBrightnessSeg")->isEnabled());
    EXPECT_TRUE(control<QAbstractButton>("pipCellBottomRight")->isChecked());
    seg("lcdNightBrightnessSeg")->buttonForSegment(1)->click();
    EXPECT_FALSE(seg("lcdBrightnessSeg")->isEnabled());

    seg("lcdScreenSaverSeg")->setSelectedSegment(0);
    seg("parkingRearOffSeg")->setSelectedSegment(0);
    ASSERT_TRUE(tab->populate());
    EXPECT_EQ(record.lcd_screensaver, 1u) << "unuse";
    EXPECT_EQ(record.parking_rear_off, 1u);
    EXPECT_EQ(record.pip_position, 0u);
    EXPECT_EQ(record.lcd_brightness_night, 1u);

    for (const auto &[stored, segment] : {std::pair{1u, 0}, {0u, 1}, {2u, 2}}) {
        record.lcd_screensaver = stored;
        open();
        EXPECT_EQ(seg("lcdScreenSaverSeg")->selectedSegment(), segment);
    }

    const char *cells[] = {"pipCellBottomRight", "pipCellTopRight", "pipCellTopLeft", "pipCellBottomLeft"};
    for (std::uint32_t position = 0; position < 4; ++position) {
        record.pip_position = 3 - position;
        open();
        control<QAbstractButton>(cells[position])->click();
        ASSERT_TRUE(tab->populate());
        EXPECT_EQ(record.pip_position, position);
    }

    record.autoFormatAlarm = 9;
    record.wifi_channel = 13;
    open();
    ASSERT_TRUE(tab->populate());
    EXPECT_EQ(record.autoFormatAlarm, 2u) << "the default";
    EXPECT_EQ(record.wifi_channel, 13u);
}

TEST_F(AuxTab, WifiTextsFollowTheirRules)
{
    open();
    control<QLineEdit>("ssidLabel")->setText("Abcde");
    control<QLineEdit>("passwordLabel")->setText("12345678");
    ASSERT_TRUE(tab->populate());
    EXPECT_EQ(std::string(record.wifi_ssid), "Abcde");

    const FILEDATA before = record;
    struct Refused {
        const char *name;
        const char *password;
        const char *key;
    };
    for (const Refused &refused : {Refused{"Abcd", "12345678", "setting.aux.ssid_length"},
                                   Refused{"My car", "12345678", "setting.aux.ssid_invalid"},
                                   Refused{"Abcde", "1234567", "setting.aux.password_length"},
                                   Refused{"Abcde", "1234 5678", "setting.aux.password_invalid"},
                                   Refused{"Caf\xC3\xA9s", "12345678", "setting.aux.ssid_invalid"}}) {
        control<QLineEdit>("ssidLabel")->setText(QString::fromUtf8(refused.name));
        control<QLineEdit>("passwordLabel")->setText(QString::fromUtf8(refused.password));
        seg("gammaSeg")->setSelectedSegment(1);
        EXPECT_FALSE(tab->populate()) << refused.name;
        EXPECT_EQ(takeAlert(), TKLocalizedString(refused.key)) << refused.name;
        EXPECT_TRUE(sameBytes(before, record)) << "a refused populate writes nothing";
    }

    // A name of 20 characters keeps its first 16 bytes, with no NUL after them.
    control<QLineEdit>("ssidLabel")->setText("ABCDEFGHIJKLMNOPQRST");
    control<QLineEdit>("passwordLabel")->setText("p@ss!w0rd~");
    ASSERT_TRUE(tab->populate());
    EXPECT_EQ(std::memcmp(record.wifi_ssid, "ABCDEFGHIJKLMNOP", 16), 0);
    open();
    EXPECT_EQ(text("ssidLabel"), "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(text("passwordLabel"), "p@ss!w0rd~");

    // With the dongle off the fields are locked, yet still checked and stored.
    record.NONE_wifi_dongle = 0;
    setWifiText(record.wifi_ssid, "Abc");
    open();
    control<QCheckBox>("useWiFiDongleChk")->click();
    EXPECT_FALSE(control<QLineEdit>("ssidLabel")->isEnabled());
    EXPECT_FALSE(control<QComboBox>("wifiChannelCombo")->isEnabled());
    EXPECT_FALSE(seg("wifiStartModeSeg")->isEnabled());
    EXPECT_FALSE(tab->populate());
    EXPECT_EQ(takeAlert(), TKLocalizedString("setting.aux.ssid_length"));
    control<QLineEdit>("ssidLabel")->setText("Abcdef");
    ASSERT_TRUE(tab->populate());
    EXPECT_EQ(record.NONE_wifi_dongle, 1u);
    EXPECT_EQ(std::string(record.wifi_ssid), "Abcdef");
}

TEST_F(AuxTab, ForeignBytesStayAsTheyWere)
{
    FILEDATA pattern = patternRecord();
    pattern.sd_mem_always_ratio = 60;
    pattern.sd_mem_motion_ratio = 25;
    pattern.sd_mem_event_ratio = 15;
    setWifiText(pattern.wifi_ssid, "Network1");
    setWifiText(pattern.wifi_password, "Secret123");
    record = pattern;
    open();
    ASSERT_TRUE(tab->populate());
    EXPECT_TRUE(changedBytesOutside(pattern, record, kAuxFields).empty());
    EXPECT_EQ(record.sd_mem_always_ratio, 60u);
    EXPECT_EQ(record.sd_mem_event_ratio, 15u);
}
