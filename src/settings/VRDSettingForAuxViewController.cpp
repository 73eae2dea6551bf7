#include "settings/VRDSettingForAuxViewController.h"

#include "config/FILEDATA.h"
#include "config/VRDFileData.h"
#include "config/VRDSettingRules.h"
#include "config/VRDValidator.h"
#include "settings/VRDConfigDocument.h"
#include "settings/VRDSegmentValue.h"
#include "ui_VRDSettingForAuxViewController.h"
#include "widgets/TKImage.h"
#include "widgets/TKInterfaceHelpers.h"
#include "widgets/TKLocalization.h"
#include "widgets/VMMultiHandleSlider.h"

#include <QAbstractButton>
#include <QComboBox>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace {

const QString kLowHandle = QStringLiteral("Low");
const QString kHighHandle = QStringLiteral("High");
constexpr const char *kKnobImage = "hud_slider-knobBlack-N";
constexpr std::size_t kWifiTextBytes = VRDSettingRules::kWifiTextBytes;
constexpr int kWifiChannels = 14; // automatic, then 1 to 13
// Stored lcd_screensaver value of each segment: "unuse", "default", "time".
constexpr std::array<std::uint32_t, 3> kScreenSaverValues{1, 0, 2};

QStringList localized(std::initializer_list<const char *> keys)
{
    QStringList texts;
    for (const char *key : keys)
        texts << TKLocalizedString(key);
    return texts;
}

QString percent(long long value)
{
    return QStringLiteral("%1%").arg(value);
}

// A stored value outside the choices shows the default, which is then stored.
int choiceOrDefault(std::uint32_t value, int count, std::uint32_t defaultValue)
{
    return value < static_cast<std::uint32_t>(count) ? static_cast<int>(value) : static_cast<int>(defaultValue);
}

int screenSaverSegment(std::uint32_t value)
{
    const auto found = std::find(kScreenSaverValues.begin(), kScreenSaverValues.end(), value);
    return found == kScreenSaverValues.end() ? -1 : static_cast<int>(found - kScreenSaverValues.begin());
}

QString wifiText(const char (&field)[kWifiTextBytes])
{
    const char *end = std::find(field, field + kWifiTextBytes, '\0');
    return QString::fromUtf8(field, static_cast<qsizetype>(end - field));
}

// UTF-8 bytes cut after 16 and padded with zeros; a 16-byte text keeps no NUL.
void storeWifiText(const QString &text, char (&field)[kWifiTextBytes])
{
    const QByteArray bytes = text.toUtf8().left(static_cast<qsizetype>(kWifiTextBytes));
    std::memset(field, 0, kWifiTextBytes);
    std::memcpy(field, bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// Slider values are ratios; shares are whole per cent. Rounded, since 0.53
// in single precision times 100 lies just under 53.
std::int32_t percentOfRatio(float ratio)
{
    return static_cast<std::int32_t>(std::lround(ratio * 100.0f));
}

} // namespace

VRDSettingForAuxViewController::VRDSettingForAuxViewController(QWidget *parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::VRDSettingForAuxViewController>())
{
    m_ui->setupUi(this);
    awakeFromNib();
}

VRDSettingForAuxViewController::~VRDSettingForAuxViewController() = default;

void VRDSettingForAuxViewController::awakeFromNib()
{
    Ui::VRDSettingForAuxViewController &ui = *m_ui;
    ui.boxOfSdcardCapatity->setTitle(TKLocalizedString("setting.aux.sdcard_capacity"));
    ui.boxOfNightAE->setTitle(TKLocalizedString("setting.aux.night_ae_setting"));
    ui.boxOfAutoLcdOff->setTitle(TKLocalizedString("setting.aux.lcd_auto_off"));
    ui.boxOfAcFrequency->setTitle(TKLocalizedString("setting.aux.country_ac_power_setting"));
    ui.boxOfLcdBrightness->setTitle(TKLocalizedString("setting.aux.lcd_brightness"));
    ui.boxOfLcdBrightnessAuto->setTitle(TKLocalizedString("setting.aux.lcd_brightness_auto"));
    ui.boxOfParkingRear->setTitle(TKLocalizedString("setting.aux.parking_rear_setting"));
    ui.boxOfLcdDisplayProtection->setTitle(TKLocalizedString("setting.aux.lcd_screensaver"));
    ui.boxOfParkingAlarm->setTitle(TKLocalizedString("setting.aux.parking_monitor_notice"));
    ui.boxOfRecordingLength->setTitle(TKLocalizedString("setting.aux.recording_length"));
    ui.boxOfPipPosition->setTitle(TKLocalizedString("setting.aux.pip_position"));
    ui.boxOfAutoFormatAlarm->setTitle(TKLocalizedString("setting.aux.auto_format_alarm"));
    ui.boxOfWiFiStartMode->setTitle(TKLocalizedString("setting.aux.wifi_start"));
    ui.boxOfWiFiSettings->setTitle(TKLocalizedString("setting.aux.wifi_settings"));
    ui.alwaysLabel->setText(TKLocalizedString("setting.aux.always"));
    ui.motionLabel->setText(TKLocalizedString("setting.aux.motion"));
    ui.eventLabel->setText(TKLocalizedString("setting.aux.event"));

    TKSetSegmentLabels(ui.dayTimeAESeg, localized({"setting.aux.low", "setting.aux.medium_sedan", "setting.aux.high_suv"}));
    QStringList powerOff{TKLocalizedString("none")};
    for (const int seconds : {15, 30, 60})
        powerOff << TKLocalizedString("nSecond_fmt").arg(seconds);
    TKSetSegmentLabels(ui.lcdAutoPowerOffSeg, powerOff);
    TKSetSegmentLabels(ui.gammaSeg, {QStringLiteral("60Hz"), QStringLiteral("50Hz")});
    TKSetSegmentLabels(ui.lcdBrightnessSeg, {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
    for (TKSegmentedControl *control : {ui.parkingRearOffSeg, ui.parkingAlarmSeg, ui.lcdNightBrightnessSeg})
        TKSetSegmentLabels(control, localized({"unuse", "use"}));
    TKSetSegmentLabels(ui.lcdScreenSaverSeg, localized({"unuse", "default", "time"}));
    TKSetSegmentLabels(ui.recordingLengthSeg, localized({"5min", "3min"}));
    TKSetSegmentLabels(ui.autoFormatAlarmSeg,
                       localized({"setting.aux.auto_format_notuse", "setting.aux.auto_format_4week",
                                  "setting.aux.auto_format_8week", "setting.aux.auto_format_16week",
                                  "setting.aux.auto_format_32week"}));
    TKSetSegmentLabels(ui.wifiStartModeSeg, localized({"setting.aux.wifi_start_off", "setting.aux.wifi_start_on"}));

    QStringList channels{QStringLiteral("   0(Auto)")};
    for (int channel = 1; channel < kWifiChannels; ++channel)
        channels << QStringLiteral("%1").arg(channel, 4);
    TKSetComboItems(ui.wifiChannelCombo, channels);

    TKSetCellTitles({ui.pipCellTopLeft, ui.pipCellTopRight, ui.pipCellBottomLeft, ui.pipCellBottomRight},
                    localized({"setting.aux.pip_top_left", "setting.aux.pip_top_right", "setting.aux.pip_bottom_left",
                               "setting.aux.pip_bottom_right"}));
    ui.useWiFiDongleChk->setText(TKLocalizedString("setting.aux.use_wifi_dongle"));
    ui.ssidStatic->setText(TKLocalizedString("setting.aux.ssid"));
    ui.passwordStatic->setText(TKLocalizedString("setting.aux.password"));
    ui.channelStatic->setText(TKLocalizedString("setting.aux.channel"));
    ui.ssidStatic->setBuddy(ui.ssidLabel);
    ui.passwordStatic->setBuddy(ui.passwordLabel);
    ui.channelStatic->setBuddy(ui.wifiChannelCombo);
    ui.sdcardCapacityWarningLabel->setText(TKLocalizedString("msg.memconfig_warning"));
    ui.sdcardCapacityWarningLabel->hide();

    connect(ui.useWiFiDongleChk, &QAbstractButton::toggled, this, [this] { clickWiFiDongleCheck(); });
    connect(ui.lcdNightBrightnessSeg, &TKSegmentedControl::selectionChanged, this, [this] { lcdSegmentedControl(); });
}

void VRDSettingForAuxViewController::setFileData(VRDConfigDocument *document)
{
    m_document = document;
    sliderHandle();
    displayFileData();
}

void VRDSettingForAuxViewController::sliderHandle()
{
    if (m_document == nullptr)
        return;
    VMMultiHandleSlider *slider = m_ui->multiHandleSlider;
    const auto ratioOf = [](long long percentValue) {
        return std::clamp(static_cast<float>(percentValue) / 100.0f, 0.0f, 1.0f);
    };
    const float high = ratioOf(100LL - m_document->record().sd_mem_event_ratio);
    const float low = ratioOf(m_document->record().sd_mem_always_ratio);
    if (slider->handle(kLowHandle) == nullptr) {
        // "Low" first: at equal ratios the handle added first stays left.
        const TKImage knob = TKImage::named(kKnobImage);
        slider->addHandle(kLowHandle, knob, low);
        slider->addHandle(kHighHandle, knob, high);
    } else if (low > slider->handle(kHighHandle)->curRatio) {
        // Handles cannot pass: clear the way before moving the other one.
        slider->setValue(kHighHandle, high);
        slider->setValue(kLowHandle, low);
    } else {
        slider->setValue(kLowHandle, low);
        slider->setValue(kHighHandle, high);
    }
    slider->setValueChangedBlock([this](const VMMultiHandleSlider::Values &values) {
        m_lowRatio = percentOfRatio(values.value(kLowHandle));
        m_highRatio = percentOfRatio(values.value(kHighHandle));
        showShares();
    });
}

void VRDSettingForAuxViewController::showShares()
{
    m_ui->alwaysField->setText(percent(m_lowRatio));
    m_ui->motionField->setText(percent(m_highRatio - m_lowRatio));
    m_ui->eventField->setText(percent(100 - m_highRatio));
}

void VRDSettingForAuxViewController::displayFileData()
{
    if (m_document == nullptr)
        return;
    const FILEDATA &data = m_document->record();
    FILEDATA defaults{};
    VRDDefaultFileData(defaults);
    Ui::VRDSettingForAuxViewController &ui = *m_ui;

    ui.alwaysField->setText(percent(data.sd_mem_always_ratio));
    ui.motionField->setText(percent(data.sd_mem_motion_ratio));
    ui.eventField->setText(percent(data.sd_mem_event_ratio));
    m_lowRatio = static_cast<std::int32_t>(data.sd_mem_always_ratio);
    m_highRatio = static_cast<std::int32_t>(data.sd_mem_always_ratio + data.sd_mem_motion_ratio);

    const auto show = [](TKSegmentedControl *control, std::uint32_t value, std::uint32_t defaultValue) {
        control->setSelectedSegment(choiceOrDefault(value, control->segmentCount(), defaultValue));
    };
    show(ui.dayTimeAESeg, data.DayTime, defaults.DayTime);
    show(ui.lcdAutoPowerOffSeg, data.lcd_autopoweroff, defaults.lcd_autopoweroff);
    show(ui.gammaSeg, data.Gamma, defaults.Gamma);
    show(ui.lcdBrightnessSeg, data.lcd_brightness, defaults.lcd_brightness);
    show(ui.lcdNightBrightnessSeg, data.lcd_brightness_night, defaults.lcd_brightness_night);
    const std::uint32_t rearOff = data.parking_rear_off <= 1 ? data.parking_rear_off : defaults.parking_rear_off;
    ui.parkingRearOffSeg->setSelectedSegment(static_cast<int>(1 - rearOff));
    const int saver = screenSaverSegment(data.lcd_screensaver);
    ui.lcdScreenSaverSeg->setSelectedSegment(saver >= 0 ? saver : screenSaverSegment(defaults.lcd_screensaver));
    show(ui.parkingAlarmSeg, data.parking_alarm, defaults.parking_alarm);
    show(ui.recordingLengthSeg, data.always_mode_recording_time, defaults.always_mode_recording_time);
    show(ui.autoFormatAlarmSeg, data.autoFormatAlarm, defaults.autoFormatAlarm);
    lcdSegmentedControl();

    pipCell(data.pip_position)->setChecked(true);

    ui.ssidLabel->setText(wifiText(data.wifi_ssid));
    ui.passwordLabel->setText(wifiText(data.wifi_password));
    ui.wifiChannelCombo->setCurrentIndex(choiceOrDefault(data.wifi_channel, kWifiChannels, defaults.wifi_channel));
    show(ui.wifiStartModeSeg, data.wifiStartMode, defaults.wifiStartMode);
    ui.useWiFiDongleChk->setChecked(data.NONE_wifi_dongle == 0);
    changeWiFiEnable();
}

QAbstractButton *VRDSettingForAuxViewController::pipCell(std::uint32_t position) const
{
    switch (position) {
    case 1:
        return m_ui->pipCellTopRight;
    case 2:
        return m_ui->pipCellTopLeft;
    case 3:
        return m_ui->pipCellBottomLeft;
    default:
        return m_ui->pipCellBottomRight;
    }
}

std::uint32_t VRDSettingForAuxViewController::pipPosition() const
{
    for (const std::uint32_t position : {1u, 2u, 3u}) {
        if (pipCell(position)->isChecked())
            return position;
    }
    return 0;
}

void VRDSettingForAuxViewController::changeWiFiEnable()
{
    const bool dongle = m_ui->useWiFiDongleChk->isChecked();
    m_ui->ssidLabel->setEnabled(dongle);
    m_ui->passwordLabel->setEnabled(dongle);
    m_ui->wifiStartModeSeg->setEnabled(dongle);
    m_ui->wifiChannelCombo->setEnabled(dongle);
}

void VRDSettingForAuxViewController::clickWiFiDongleCheck()
{
    changeWiFiEnable();
}

void VRDSettingForAuxViewController::lcdSegmentedControl()
{
    m_ui->lcdBrightnessSeg->setEnabled(m_ui->lcdNightBrightnessSeg->selectedSegment() == 0);
}

bool VRDSettingForAuxViewController::validString(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    return VRDSettingRules::isValidWifiText(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

QString VRDSettingForAuxViewController::validateUserInput()
{
    for (const std::int32_t share : {m_lowRatio, m_highRatio - m_lowRatio, 100 - m_highRatio}) {
        if (const TKStatus<VRDMessage> valid = VRDValidator::validateSDCardSizeRatio(share); !valid)
            return TKLocalizedString(QString::fromStdString(valid.failure().key));
    }
    return {};
}

const char *VRDSettingForAuxViewController::wifiProblem() const
{
    const QString name = m_ui->ssidLabel->text();
    const QString password = m_ui->passwordLabel->text();
    if (name.size() < VRDSettingRules::kWifiNameMinimum)
        return "setting.aux.ssid_length";
    if (!validString(name))
        return "setting.aux.ssid_invalid";
    if (password.size() < VRDSettingRules::kWifiPasswordMinimum)
        return "setting.aux.password_length";
    if (!validString(password))
        return "setting.aux.password_invalid";
    return nullptr;
}

bool VRDSettingForAuxViewController::populate()
{
    if (m_document == nullptr || !validateUserInput().isNull())
        return false;
    // The Wi-Fi texts are checked before anything is written, so that a
    // refused populate leaves the record as it was.
    if (const char *problem = wifiProblem()) {
        TKShowAlert(window(), QStringLiteral("Warning"), TKLocalizedString(problem));
        return false;
    }
    FILEDATA data = m_document->record();
    const Ui::VRDSettingForAuxViewController &ui = *m_ui;

    data.sd_mem_always_ratio = static_cast<std::uint32_t>(m_lowRatio);
    data.sd_mem_motion_ratio = static_cast<std::uint32_t>(m_highRatio - m_lowRatio);
    data.sd_mem_event_ratio = static_cast<std::uint32_t>(100 - m_lowRatio - (m_highRatio - m_lowRatio));
    VRDSegmentValue::store(ui.dayTimeAESeg, data.DayTime);
    VRDSegmentValue::store(ui.lcdAutoPowerOffSeg, data.lcd_autopoweroff);
    VRDSegmentValue::store(ui.gammaSeg, data.Gamma);
    VRDSegmentValue::store(ui.lcdBrightnessSeg, data.lcd_brightness);
    VRDSegmentValue::store(ui.lcdNightBrightnessSeg, data.lcd_brightness_night);
    if (ui.parkingRearOffSeg->selectedSegment() >= 0)
        data.parking_rear_off = static_cast<std::uint32_t>(1 - ui.parkingRearOffSeg->selectedSegment());
    if (const int saver = ui.lcdScreenSaverSeg->selectedSegment(); saver >= 0)
        data.lcd_screensaver = kScreenSaverValues[static_cast<std::size_t>(saver)];
    VRDSegmentValue::store(ui.parkingAlarmSeg, data.parking_alarm);
    VRDSegmentValue::store(ui.recordingLengthSeg, data.always_mode_recording_time);
    data.pip_position = pipPosition();
    VRDSegmentValue::store(ui.autoFormatAlarmSeg, data.autoFormatAlarm);

    storeWifiText(ui.ssidLabel->text(), data.wifi_ssid);
    storeWifiText(ui.passwordLabel->text(), data.wifi_password);
    if (ui.wifiChannelCombo->currentIndex() >= 0)
        data.wifi_channel = static_cast<std::uint32_t>(ui.wifiChannelCombo->currentIndex());
    VRDSegmentValue::store(ui.wifiStartModeSeg, data.wifiStartMode);
    data.NONE_wifi_dongle = ui.useWiFiDongleChk->isChecked() ? 0 : 1;
    m_document->store(data);
    return true;
}
