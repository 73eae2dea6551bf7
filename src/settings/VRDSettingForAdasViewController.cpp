#include "settings/VRDSettingForAdasViewController.h"

#include "config/FILEDATA.h"
#include "config/VRDFileData.h"
#include "config/VRDSettingRules.h"
#include "ui_VRDSettingForAdasViewController.h"
#include "settings/VRDConfigDocument.h"
#include "widgets/TKInterfaceHelpers.h"
#include "widgets/TKLocalization.h"
#include "widgets/TKSegmentedControl.h"

#include <QComboBox>

#include <algorithm>
#include <cmath>
#include <functional>
#include <span>

namespace {

constexpr int kLaneWidthSteps = 11; // "3.0m" to "4.0m"

QStringList localized(std::initializer_list<const char *> keys)
{
    QStringList texts;
    for (const char *key : keys)
        texts << TKLocalizedString(key);
    return texts;
}

int choiceCount(const char *field)
{
    const VRDSettingRule *rule = VRDSettingRules::find(field);
    return rule ? static_cast<int>(rule->maximum - rule->minimum + 1) : 0;
}

std::span<const float> floatChoices(const char *field)
{
    const VRDSettingRule *rule = VRDSettingRules::find(field);
    return rule ? rule->floats : std::span<const float>{};
}

// The first entry of a numeric list goes through the string table, so that a
// translation may name it.
QStringList numberList(int count, const std::function<QString(int)> &label)
{
    QStringList items;
    for (int i = 0; i < count; ++i)
        items << (i == 0 ? TKLocalizedString(label(i)) : label(i));
    return items;
}

// A stored index outside the list shows (and is then stored as) the default.
int indexOrDefault(long long value, int count, long long defaultValue)
{
    return value >= 0 && value < count ? static_cast<int>(value) : static_cast<int>(defaultValue);
}

// The entry equal to value, else the nearest one; the default entry for a
// value that is not a number.
int nearestFloatIndex(std::span<const float> entries, float value, float defaultValue)
{
    if (std::isnan(value))
        value = defaultValue;
    const auto nearest = std::min_element(entries.begin(), entries.end(), [value](float a, float b) {
        return std::fabs(a - value) < std::fabs(b - value);
    });
    return nearest == entries.end() ? -1 : static_cast<int>(nearest - entries.begin());
}

constexpr std::uint32_t kKilometresPerHour = 0;
constexpr std::uint32_t kMilesPerHour = 1;

int speedIndex(std::uint32_t speedUnit, std::uint8_t speed)
{
    constexpr int kMissingSpeedIndex = 2;
    const std::span<const std::int64_t> speeds = VRDSettingRules::adasSpeeds(speedUnit);
    const auto found = std::find(speeds.begin(), speeds.end(), speed);
    return found == speeds.end() ? kMissingSpeedIndex : static_cast<int>(found - speeds.begin());
}

int digitsValue(std::int32_t hundreds, std::int32_t tens, std::int32_t units)
{
    const long long value = 100LL * hundreds + 10LL * tens + units;
    return static_cast<int>(std::clamp<long long>(value, 0, 999));
}

void storeDigits(int value, le_i32 &hundreds, le_i32 &tens, le_i32 &units)
{
    hundreds = value / 100;
    tens = value % 100 / 10;
    units = value % 10;
}

template <typename T>
void storeIndex(const QComboBox *combo, TKLittleEndian<T> &field)
{
    if (combo->currentIndex() >= 0)
        field = static_cast<T>(combo->currentIndex());
}

void storeIndex(const QComboBox *combo, std::uint8_t &field)
{
    if (combo->currentIndex() >= 0)
        field = static_cast<std::uint8_t>(combo->currentIndex());
}

void storeSegment(const TKSegmentedControl *control, std::uint8_t &field)
{
    if (control->selectedSegment() >= 0)
        field = static_cast<std::uint8_t>(control->selectedSegment());
}

void storeSpeed(const QComboBox *combo, std::span<const std::int64_t> speeds, std::uint8_t &field)
{
    const int index = combo->currentIndex();
    if (index >= 0 && index < static_cast<int>(speeds.size()))
        field = static_cast<std::uint8_t>(speeds[static_cast<std::size_t>(index)]);
}

} // namespace

VRDSettingForAdasViewController::VRDSettingForAdasViewController(VRDConfigDocument *configData, QWidget *parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::VRDSettingForAdasViewController>())
    , m_document(configData)
{
    m_ui->setupUi(this);
    awakeFromNib();
}

VRDSettingForAdasViewController::~VRDSettingForAdasViewController() = default;

void VRDSettingForAdasViewController::awakeFromNib()
{
    Ui::VRDSettingForAdasViewController &ui = *m_ui;
    ui.boxOfAdasLdwsSens->setTitle(TKLocalizedString("setting.adas.ldws_sensitivity"));
    ui.boxOfAdasLdwsSpeed->setTitle(TKLocalizedString("setting.adas.ldws_speed"));
    ui.boxOfAdasFcwsSens->setTitle(TKLocalizedString("setting.adas.fcws_sensitivity"));
    ui.boxOfAdasFcwsSpeed->setTitle(TKLocalizedString("setting.adas.fcws_speed"));
    ui.boxOfAdasFcmdEnable->setTitle(TKLocalizedString("setting.adas.fcmd_enable"));
    ui.boxOfAdasFcmdSens->setTitle(TKLocalizedString("setting.adas.fcmd_enable_sensitivity"));
    // The camera's own texts name the two headway settings the other way
    // round; the boxes take them crosswise so each shows the right words.
    ui.boxOfAdasHeadwayZone->setTitle(TKLocalizedString("setting.adas.HwadwaySensitivity"));
    ui.boxOfAdasHeadwaySensitivity->setTitle(TKLocalizedString("setting.adas.HwadwayZone"));
    ui.boxOfAdasVehicleHeight->setTitle(TKLocalizedString("setting.adas.Height"));
    ui.boxOfAdasLeftWidth->setTitle(TKLocalizedString("setting.adas.LeftWidth"));
    ui.boxOfAdasRightWidth->setTitle(TKLocalizedString("setting.adas.RightHeight"));
    ui.boxOfAdasLaneWidth->setTitle(TKLocalizedString("setting.adas.LaneWidth"));
    ui.boxOfAdasUFCWSensitivity->setTitle(TKLocalizedString("setting.adas.UFCW"));
    ui.boxOfAdasVibrator->setTitle(TKLocalizedString("setting.adas.vibrator"));
    ui.boxOfAdasVibratorStrength->setTitle(TKLocalizedString("setting.adas.vibrator.intensity"));

    TKSetComboItems(ui.adasLDWSSenseCombo,
                    numberList(choiceCount("ADAS_LDWS_Sens"), [](int i) { return QString::number(i + 1); }));
    TKSetComboItems(ui.adasFCWSSenseCombo, numberList(choiceCount("ADAS_FCWS_Sens"), [](int i) {
                        return QString::number(2.0 + i / 10.0, 'f', 1);
                    }));
    const std::span<const float> zones = floatChoices("ADAS_SafeDistacne");
    TKSetComboItems(ui.adasHeadwayZoneCombo, numberList(static_cast<int>(zones.size()), [zones](int i) {
                        return QString::number(static_cast<double>(zones[static_cast<std::size_t>(i)]), 'f', 1);
                    }));
    const std::span<const float> factors = floatChoices("ADAS_HeadWayFactor");
    TKSetComboItems(ui.adasHeadwaySensCombo, numberList(static_cast<int>(factors.size()), [factors](int i) {
                        return QString::number(static_cast<double>(factors[static_cast<std::size_t>(i)]), 'g', 3);
                    }));
    TKSetComboItems(ui.adasLaneWidthCombo, numberList(kLaneWidthSteps, [](int i) {
                        return QStringLiteral("%1m").arg(3.0 + i / 10.0, 0, 'f', 1);
                    }));
    TKSetSegmentLabels(ui.adasFcmdEnableSeg, localized({"setting.aux.auto_format_notuse", "use"}));
    TKSetSegmentLabels(ui.adasFcmdSensSeg, {QStringLiteral("0(%1)").arg(TKLocalizedString("insensitive")),
                                            QStringLiteral("1"),
                                            QStringLiteral("2(%1)").arg(TKLocalizedString("sensitive"))});
    QStringList urbanLevels = numberList(choiceCount("ADAS_uFCWS_Sens"), [](int i) { return QString::number(i); });
    urbanLevels.front() = QStringLiteral("0(%1)").arg(TKLocalizedString("insensitive"));
    urbanLevels.back() = QStringLiteral("%1(%2)").arg(urbanLevels.back(), TKLocalizedString("sensitive"));
    TKSetSegmentLabels(ui.adasUFCWSSensSeg, urbanLevels);
    TKSetComboItems(ui.adasVibratorCombo, localized({"setting.adas.vibrator.notuse", "setting.adas.vibrator.all",
                                                     "setting.adas.vibrator.level", "setting.adas.vibrator.speed"}));
    TKSetComboItems(ui.adasVibratorStrengthCombo,
                    localized({"setting.adas.vibrator.notuse", "setting.adas.vibrator.low",
                               "setting.adas.vibrator.middle", "setting.adas.vibrator.high"}));
    changeSpeed(m_document ? m_document->record().speed_disp_unit.get() : 0);
}

void VRDSettingForAdasViewController::changeSpeed(std::uint32_t speedUnit)
{
    const QString unit = speedUnit == kMilesPerHour ? QStringLiteral("Mi/h") : QStringLiteral("Km/h");
    QStringList items{TKLocalizedString("setting.aux.auto_format_notuse")};
    const std::span<const std::int64_t> speeds = VRDSettingRules::adasSpeeds(speedUnit);
    for (std::size_t i = 1; i < speeds.size(); ++i)
        items << QString::number(speeds[i]) + unit;
    TKSetComboItems(m_ui->adasLDWSSpeedCombo, items);
    TKSetComboItems(m_ui->adasFCWSSpeedCombo, items);
}

void VRDSettingForAdasViewController::setFileData(VRDConfigDocument *document)
{
    m_document = document;
    if (m_document != nullptr)
        changeSpeed(m_document->record().speed_disp_unit);
    displayFileData();
}

int VRDSettingForAdasViewController::FindLdwsSpeed(std::uint8_t speed)
{
    return speedIndex(kKilometresPerHour, speed);
}

int VRDSettingForAdasViewController::FindFcwsSpeed(std::uint8_t speed)
{
    return speedIndex(kKilometresPerHour, speed);
}

int VRDSettingForAdasViewController::FindLdwsSpeedMile(std::uint8_t speed)
{
    return speedIndex(kMilesPerHour, speed);
}

int VRDSettingForAdasViewController::FindFcwsSpeedMile(std::uint8_t speed)
{
    return speedIndex(kMilesPerHour, speed);
}

int VRDSettingForAdasViewController::FindHeadwayFactor(float factor)
{
    const std::span<const float> factors = floatChoices("ADAS_HeadWayFactor");
    return static_cast<int>(std::find(factors.begin(), factors.end(), factor) - factors.begin());
}

void VRDSettingForAdasViewController::displayFileData()
{
    if (m_document == nullptr)
        return;
    const FILEDATA &data = m_document->record();
    FILEDATA defaults{};
    VRDDefaultFileData(defaults);
    Ui::VRDSettingForAdasViewController &ui = *m_ui;

    ui.adasLDWSSenseCombo->setCurrentIndex(
        indexOrDefault(data.ADAS_LDWS_Sens, ui.adasLDWSSenseCombo->count(), defaults.ADAS_LDWS_Sens));
    ui.adasFCWSSenseCombo->setCurrentIndex(
        indexOrDefault(data.ADAS_FCWS_Sens, ui.adasFCWSSenseCombo->count(), defaults.ADAS_FCWS_Sens));
    const bool miles = data.speed_disp_unit == kMilesPerHour;
    ui.adasLDWSSpeedCombo->setCurrentIndex(miles ? FindLdwsSpeedMile(data.ADAS_Ldws_Speed)
                                                 : FindLdwsSpeed(data.ADAS_Ldws_Speed));
    ui.adasFCWSSpeedCombo->setCurrentIndex(miles ? FindFcwsSpeedMile(data.ADAS_FCWS_Speed)
                                                 : FindFcwsSpeed(data.ADAS_FCWS_Speed));
    ui.adasHeadwayZoneCombo->setCurrentIndex(
        nearestFloatIndex(floatChoices("ADAS_SafeDistacne"), data.ADAS_SafeDistacne, defaults.ADAS_SafeDistacne));
    int headwayFactor = FindHeadwayFactor(data.ADAS_HeadWayFactor);
    if (headwayFactor >= ui.adasHeadwaySensCombo->count())
        headwayFactor = nearestFloatIndex(floatChoices("ADAS_HeadWayFactor"), data.ADAS_HeadWayFactor,
                                          defaults.ADAS_HeadWayFactor);
    ui.adasHeadwaySensCombo->setCurrentIndex(headwayFactor);

    const int blackboxHeight = digitsValue(data.Car_height0, data.Car_height1, data.Car_height2);
    const int Car_leftwidth = digitsValue(data.Car_leftwidth0, data.Car_leftwidth1, data.Car_leftwidth2);
    const int Car_rightwidth = digitsValue(data.Car_rightwidth0, data.Car_rightwidth1, data.Car_rightwidth2);
    ui.heightInput->setValue(blackboxHeight);
    ui.leftWidthInput->setValue(Car_leftwidth);
    ui.rightWidthInput->setValue(Car_rightwidth);

    ui.adasLaneWidthCombo->setCurrentIndex(indexOrDefault(data.LaneWidth, ui.adasLaneWidthCombo->count(), defaults.LaneWidth));
    ui.adasVibratorCombo->setCurrentIndex(indexOrDefault(data.ADAS_vibe, ui.adasVibratorCombo->count(), defaults.ADAS_vibe));
    ui.adasVibratorStrengthCombo->setCurrentIndex(
        indexOrDefault(data.vibratorStrength, ui.adasVibratorStrengthCombo->count(), defaults.vibratorStrength));
    ui.adasUFCWSSensSeg->setSelectedSegment(
        indexOrDefault(data.ADAS_uFCWS_Sens, ui.adasUFCWSSensSeg->segmentCount(), defaults.ADAS_uFCWS_Sens));
    ui.adasFcmdEnableSeg->setSelectedSegment(
        indexOrDefault(data.ADAS_FCMD_Enable, ui.adasFcmdEnableSeg->segmentCount(), defaults.ADAS_FCMD_Enable));
    ui.adasFcmdSensSeg->setSelectedSegment(
        indexOrDefault(data.ADAS_FCMD_Sens, ui.adasFcmdSensSeg->segmentCount(), defaults.ADAS_FCMD_Sens));
}

QString VRDSettingForAdasViewController::validateUserInput()
{
    return {};
}

bool VRDSettingForAdasViewController::populate()
{
    if (m_document == nullptr || !validateUserInput().isNull())
        return false;
    FILEDATA data = m_document->record();
    const Ui::VRDSettingForAdasViewController &ui = *m_ui;
    const std::span<const std::int64_t> speeds = VRDSettingRules::adasSpeeds(data.speed_disp_unit);

    storeIndex(ui.adasLDWSSenseCombo, data.ADAS_LDWS_Sens);
    storeSpeed(ui.adasLDWSSpeedCombo, speeds, data.ADAS_Ldws_Speed);
    storeIndex(ui.adasFCWSSenseCombo, data.ADAS_FCWS_Sens);
    storeSpeed(ui.adasFCWSSpeedCombo, speeds, data.ADAS_FCWS_Speed);
    const std::span<const float> zones = floatChoices("ADAS_SafeDistacne");
    if (const int zone = ui.adasHeadwayZoneCombo->currentIndex(); zone >= 0 && zone < static_cast<int>(zones.size()))
        data.ADAS_SafeDistacne = zones[static_cast<std::size_t>(zone)];
    const std::span<const float> factors = floatChoices("ADAS_HeadWayFactor");
    if (const int factor = ui.adasHeadwaySensCombo->currentIndex(); factor >= 0 && factor < static_cast<int>(factors.size()))
        data.ADAS_HeadWayFactor = factors[static_cast<std::size_t>(factor)];

    const int blackboxHeight = ui.heightInput->value();
    const int Car_leftwidth = ui.leftWidthInput->value();
    const int Car_rightwidth = ui.rightWidthInput->value();
    storeDigits(blackboxHeight, data.Car_height0, data.Car_height1, data.Car_height2);
    storeDigits(Car_leftwidth, data.Car_leftwidth0, data.Car_leftwidth1, data.Car_leftwidth2);
    storeDigits(Car_rightwidth, data.Car_rightwidth0, data.Car_rightwidth1, data.Car_rightwidth2);

    storeIndex(ui.adasLaneWidthCombo, data.LaneWidth);
    if (ui.adasUFCWSSensSeg->selectedSegment() >= 0)
        data.ADAS_uFCWS_Sens = ui.adasUFCWSSensSeg->selectedSegment();
    storeSegment(ui.adasFcmdEnableSeg, data.ADAS_FCMD_Enable);
    storeSegment(ui.adasFcmdSensSeg, data.ADAS_FCMD_Sens);
    storeIndex(ui.adasVibratorCombo, data.ADAS_vibe);
    storeIndex(ui.adasVibratorStrengthCombo, data.vibratorStrength);
    m_document->store(data);
    return true;
}
