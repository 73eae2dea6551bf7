#include "settings/VRDSettingForBasicViewController.h"

#include "ui_VRDSettingForBasicViewController.h"

#include "config/FILEDATA.h"
#include "config/VRDSettingRules.h"
#include "config/VRDValidator.h"
#include "settings/VRDConfigDocument.h"
#include "settings/VRDSegmentValue.h"
#include "widgets/TKInterfaceHelpers.h"
#include "widgets/TKLocalization.h"

#include <QRegularExpressionValidator>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <span>
#include <string_view>
#include <vector>

namespace {

// Shown when a stored value is not in its list.
constexpr int kDefaultAlwaysModeTimeoutIndex = 2; // 30 seconds
constexpr int kDefaultPowerVoltageIndex = 8; // 12.0 V
constexpr int kDefaultPowerTimeIndex = 0; // off
constexpr int kExternalPowerVoltageIndex = 2;
// A record with no compensation set is shown (and kept) as 0.3 V.
constexpr std::uint32_t kDefaultCableVoltCorr = 4;
constexpr std::int64_t kAutomaticVoltage = 1;
constexpr std::int64_t kExternalPowerVoltage = 10000;
// The fields take at most one integer digit and two fraction digits.
const char *const kThresholdPattern = "[0-9]?(\\.[0-9]{0,2})?";

std::span<const std::int64_t> allowedValues(std::string_view field)
{
    const VRDSettingRule *rule = VRDSettingRules::find(field);
    return rule ? rule->values : std::span<const std::int64_t>{};
}

int indexOfValue(std::span<const std::int64_t> values, std::int64_t value, int fallback)
{
    const auto found = std::find(values.begin(), values.end(), value);
    return found == values.end() ? fallback : static_cast<int>(found - values.begin());
}

int presetIndex(std::span<const std::int32_t> presets, std::int32_t x, std::int32_t y, std::int32_t z)
{
    for (std::size_t i = 0; i < presets.size(); ++i) {
        if (x == presets[i] && y == presets[i] && z == presets[i])
            return static_cast<int>(i);
    }
    return VRDSettingForBasicViewController::kCustomSegment;
}

QString thresholdText(std::int32_t hundredths)
{
    return QString::asprintf("%.2f", hundredths / 100.0);
}

// The field's value in hundredths of g; an empty field counts as 0.
std::int32_t thresholdValue(const QLineEdit *field)
{
    const QByteArray text = field->text().toUtf8();
    const std::optional<double> grams = VRDValidator::scanLeadingNumber(std::string_view(text.constData(), text.size()));
    // Rounded: 0.29 g is 29, although 0.29 * 100 lies just below 29 in
    // double precision.
    return grams ? static_cast<std::int32_t>(std::lround(*grams * 100.0)) : 0;
}

QString sensitivityLabel(int segment)
{
    if (segment == 0)
        return QStringLiteral("1(%1)").arg(TKLocalizedString("insensitive"));
    if (segment == VRDSettingForBasicViewController::kCustomSegment - 1)
        return QStringLiteral("%1(%2)").arg(segment + 1).arg(TKLocalizedString("sensitive"));
    if (segment == VRDSettingForBasicViewController::kCustomSegment)
        return TKLocalizedString("setting.basic.customize");
    return QString::number(segment + 1);
}

QStringList sensitivityLabels()
{
    QStringList labels;
    for (int segment = 0; segment <= VRDSettingForBasicViewController::kCustomSegment; ++segment)
        labels << sensitivityLabel(segment);
    return labels;
}

QStringList alwaysModeTimeoutLabels()
{
    QStringList labels;
    for (const std::int64_t seconds : allowedValues("always_mode_timeout")) {
        if (seconds == 0)
            labels << TKLocalizedString("unuse");
        else if (seconds < 60)
            labels << TKLocalizedString("nSecond_fmt").arg(seconds);
        else
            labels << TKLocalizedString("nMinute_fmt").arg(seconds / 60);
    }
    return labels;
}

QStringList powerVoltageItems()
{
    QStringList items;
    for (const std::int64_t millivolts : allowedValues("sd_mem_always_reserved")) {
        if (millivolts == 0)
            items << TKLocalizedString("unuse");
        else if (millivolts == kAutomaticVoltage)
            items << TKLocalizedString("auto");
        else if (millivolts == kExternalPowerVoltage)
            items << TKLocalizedString("externpower");
        else // the same cut-off for 12 V and 24 V systems
            items << QString::asprintf("%.1fv / %.1fv", millivolts / 1000.0, millivolts / 500.0);
    }
    return items;
}

QStringList powerTimeItems()
{
    QStringList items;
    for (const std::int64_t hours : allowedValues("sd_mem_motion_reserved"))
        items << (hours == 0 ? TKLocalizedString("unuse") : TKLocalizedString("nHour_fmt").arg(hours));
    return items;
}

QStringList cableVoltageLossLabels()
{
    const VRDSettingRule *rule = VRDSettingRules::find("CableVoltCorr");
    QStringList labels;
    if (rule == nullptr)
        return labels;
    for (std::int64_t stored = rule->minimum; stored <= rule->maximum; ++stored)
        labels << (stored == rule->minimum ? TKLocalizedString("none")
                                           : QString::asprintf("%.1fv", static_cast<double>(stored - 1) / 10.0));
    return labels;
}

QString messageText(const VRDMessage &message)
{
    QString text = TKLocalizedString(QString::fromStdString(message.key));
    for (const double argument : message.arguments)
        text = text.arg(argument);
    return text;
}

} // namespace

VRDSettingForBasicViewController::VRDSettingForBasicViewController(QWidget *parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::VRDSettingForBasicViewController>())
{
    m_ui->setupUi(this);
    awakeFromNib();
}

VRDSettingForBasicViewController::~VRDSettingForBasicViewController() = default;

void VRDSettingForBasicViewController::awakeFromNib()
{
    m_ui->boxOfAlwaysModeTimeout->setTitle(TKLocalizedString("setting.basic.auto_parking_waiting_time"));
    m_ui->boxOfGsensorSensitivityDriving->setTitle(TKLocalizedString("setting.basic.driving_impact_sensitivity"));
    m_ui->boxOfGsensorSensitivityParking->setTitle(TKLocalizedString("setting.basic.parking_impact_sensitivity"));
    m_ui->boxOfFrontLEDSettings->setTitle(TKLocalizedString("setting.basic.front_LED_settings"));
    m_ui->boxOfRearLEDSettings->setTitle(TKLocalizedString("setting.basic.rear_LED_settings"));
    m_ui->boxOfPower->setTitle(TKLocalizedString("setting.basic.cutoff_voltage_setting"));
    m_ui->boxOfCableVoltageLoss->setTitle(TKLocalizedString("setting.basic.cable_voltage_loss"));
    m_ui->gsensorEnableChk->setText(TKLocalizedString("setting.basic.enable_gsensor"));
    m_ui->useExternalPowerChk->setText(TKLocalizedString("setting.basic.use_external_power"));
    m_ui->carNumberLabelField->setText(TKLocalizedString("setting.basic.car_number_input"));
    m_ui->powerVoltageLabel->setText(TKLocalizedString("setting.basic.set_voltage"));
    m_ui->powerTimeLabel->setText(TKLocalizedString("setting.basic.set_timer"));
    m_ui->powerGuide1Field->setText(TKLocalizedString("setting.basic.power_guide"));

    TKSetSegmentLabels(m_ui->alwaysModeTimeoutSeg, alwaysModeTimeoutLabels());
    TKSetSegmentLabels(m_ui->gsensorSensitivityDrivingSeg, sensitivityLabels());
    TKSetSegmentLabels(m_ui->gsensorSensitivityParkingSeg, sensitivityLabels());
    const QStringList ledLabels{TKLocalizedString("setting.basic.LED_use"), TKLocalizedString("setting.basic.LED_notuse")};
    TKSetSegmentLabels(m_ui->frontLEDSeg, ledLabels);
    TKSetSegmentLabels(m_ui->rearLEDSeg, ledLabels);
    TKSetSegmentLabels(m_ui->cableVoltageLossSeg, cableVoltageLossLabels());
    TKSetComboItems(m_ui->powerVoltageCombo, powerVoltageItems());
    TKSetComboItems(m_ui->powerTimeCombo, powerTimeItems());

    const QRegularExpression pattern{QLatin1String(kThresholdPattern)};
    for (const auto &fields : {drivingFields(), parkingFields()}) {
        for (QLineEdit *field : fields) {
            field->setValidator(new QRegularExpressionValidator(pattern, field));
            field->setAlignment(Qt::AlignRight);
            field->setMaximumWidth(64);
            // Like a "0.00" number format: ".5" reads back as "0.50".
            connect(field, &QLineEdit::editingFinished, field, [field] {
                const QByteArray text = field->text().toUtf8();
                if (const auto grams = VRDValidator::scanLeadingNumber(std::string_view(text.constData(), text.size())))
                    field->setText(QString::asprintf("%.2f", *grams));
            });
        }
    }

    connect(m_ui->gsensorEnableChk, &QCheckBox::clicked, this, &VRDSettingForBasicViewController::clickGsensorEnableCheck);
    connect(m_ui->gsensorSensitivityDrivingSeg, &TKSegmentedControl::selectionChanged, this,
            &VRDSettingForBasicViewController::clickDrivingGsensorSensitivity);
    connect(m_ui->gsensorSensitivityParkingSeg, &TKSegmentedControl::selectionChanged, this,
            &VRDSettingForBasicViewController::clickParkingGsensorSensitivity);
    connect(m_ui->useExternalPowerChk, &QCheckBox::clicked, this, &VRDSettingForBasicViewController::clickUseExternalPowerChk);
    connect(m_ui->powerVoltageCombo, &QComboBox::activated, this, &VRDSettingForBasicViewController::powerVoltageSelected);
}

void VRDSettingForBasicViewController::setFileData(VRDConfigDocument *document)
{
    m_document = document;
    displayFileData();
}

void VRDSettingForBasicViewController::displayFileData()
{
    if (m_document == nullptr)
        return;
    // Showing corrects two fields the camera may leave out of step; the
    // corrections go back into the record.
    FILEDATA record = m_document->record();
    bool corrected = false;
    m_ui->alwaysModeTimeoutSeg->setSelectedSegment(findAlwaysModeTimeoutIndexByValue(record.always_mode_timeout));
    m_ui->gsensorEnableChk->setChecked(record.g_sensor_enable != 0);
    changeGsensorEnable();

    m_ui->gsensorSensitivityDrivingSeg->setSelectedSegment(findDrivingGsensorThresholdIndexByX(
        record.gsen_x_threshold, record.gsen_y_threshold, record.gsen_z_threshold));
    m_ui->gsensorSensitivityParkingSeg->setSelectedSegment(findParkingGsensorThresholdIndexByX(
        record.parkmode_x_threshold, record.parkmode_y_threshold, record.parkmode_z_threshold));
    const std::array<std::int32_t, 3> driving{record.gsen_x_threshold, record.gsen_y_threshold, record.gsen_z_threshold};
    const std::array<std::int32_t, 3> parking{record.parkmode_x_threshold, record.parkmode_y_threshold,
                                              record.parkmode_z_threshold};
    for (std::size_t axis = 0; axis < 3; ++axis) {
        drivingFields()[axis]->setText(thresholdText(driving[axis]));
        parkingFields()[axis]->setText(thresholdText(parking[axis]));
    }
    updateGsensorThreshold();

    VRDSegmentValue::show(m_ui->frontLEDSeg, record.ledoff);
    // One-channel recording has no rear camera and so no rear LED.
    const bool twoChannels = record.b_model != 1;
    if (!twoChannels && record.ledoff_rear != 0) {
        record.ledoff_rear = 0;
        corrected = true;
    }
    m_ui->rearLEDSeg->setEnabled(twoChannels);
    VRDSegmentValue::show(m_ui->rearLEDSeg, record.ledoff_rear);

    const char *plate = record.szPlateNumber;
    m_ui->carNumberField->setText(QString::fromUtf8(plate, static_cast<qsizetype>(strnlen(plate, sizeof record.szPlateNumber))));

    m_ui->powerVoltageCombo->setCurrentIndex(findPowerVoltageIndexByValue(record.sd_mem_always_reserved));
    m_ui->powerTimeCombo->setCurrentIndex(findPowerTimeIndexByValue(record.sd_mem_motion_reserved));
    updatePowerUI();

    if (record.CableVoltCorr == 0) {
        record.CableVoltCorr = kDefaultCableVoltCorr;
        corrected = true;
    }
    m_ui->cableVoltageLossSeg->setSelectedSegment(static_cast<int>(record.CableVoltCorr.get()) - 1);
    if (corrected)
        m_document->store(record);
}

QString VRDSettingForBasicViewController::validateUserInput()
{
    std::vector<QLineEdit *> customFields;
    if (m_ui->gsensorSensitivityDrivingSeg->selectedSegment() == kCustomSegment) {
        const std::array<QLineEdit *, 3> fields = drivingFields();
        customFields.insert(customFields.end(), fields.begin(), fields.end());
    }
    if (m_ui->gsensorSensitivityParkingSeg->selectedSegment() == kCustomSegment) {
        const std::array<QLineEdit *, 3> fields = parkingFields();
        customFields.insert(customFields.end(), fields.begin(), fields.end());
    }
    for (QLineEdit *field : customFields) {
        const QByteArray text = field->text().toUtf8();
        const TKStatus<VRDMessage> valid = VRDValidator::validateGsensorThreshold(std::string_view(text.constData(), text.size()));
        if (!valid) {
            focus(field);
            return messageText(valid.failure());
        }
    }
    return {};
}

bool VRDSettingForBasicViewController::populate()
{
    if (m_document == nullptr || !validateUserInput().isNull())
        return false;
    FILEDATA record = m_document->record();
    const std::span<const std::int64_t> timeouts = allowedValues("always_mode_timeout");
    const int timeoutIndex = m_ui->alwaysModeTimeoutSeg->selectedSegment();
    if (timeoutIndex >= 0 && static_cast<std::size_t>(timeoutIndex) < timeouts.size())
        record.always_mode_timeout = static_cast<std::uint32_t>(timeouts[static_cast<std::size_t>(timeoutIndex)]);
    record.g_sensor_enable = m_ui->gsensorEnableChk->isChecked() ? 1 : 0;

    record.gsen_x_threshold = thresholdValue(m_ui->gsensorSensitivityThresholdXDrivingField);
    record.gsen_y_threshold = thresholdValue(m_ui->gsensorSensitivityThresholdYDrivingField);
    record.gsen_z_threshold = thresholdValue(m_ui->gsensorSensitivityThresholdZDrivingField);
    record.parkmode_x_threshold = thresholdValue(m_ui->gsensorSensitivityThresholdXParkingField);
    record.parkmode_y_threshold = thresholdValue(m_ui->gsensorSensitivityThresholdYParkingField);
    record.parkmode_z_threshold = thresholdValue(m_ui->gsensorSensitivityThresholdZParkingField);

    VRDSegmentValue::store(m_ui->frontLEDSeg, record.ledoff);
    VRDSegmentValue::store(m_ui->rearLEDSeg, record.ledoff_rear);

    // The number read off the card is kept byte for byte; a typed one is
    // cleaned first, also when editing has not ended yet.
    if (m_ui->carNumberField->isModified()) {
        m_ui->carNumberField->textDidEndEditing();
        const QByteArray plate = m_ui->carNumberField->text().toUtf8();
        std::memset(record.szPlateNumber, 0, sizeof record.szPlateNumber);
        std::memcpy(record.szPlateNumber, plate.constData(),
                    std::min(static_cast<std::size_t>(plate.size()), sizeof record.szPlateNumber));
    }

    const std::span<const std::int64_t> voltages = allowedValues("sd_mem_always_reserved");
    const std::span<const std::int64_t> hours = allowedValues("sd_mem_motion_reserved");
    const int voltageIndex = m_ui->powerVoltageCombo->currentIndex();
    const int timeIndex = m_ui->powerTimeCombo->currentIndex();
    if (voltageIndex >= 0 && static_cast<std::size_t>(voltageIndex) < voltages.size())
        record.sd_mem_always_reserved = static_cast<std::uint32_t>(voltages[static_cast<std::size_t>(voltageIndex)]);
    if (timeIndex >= 0 && static_cast<std::size_t>(timeIndex) < hours.size())
        record.sd_mem_motion_reserved = static_cast<std::uint32_t>(hours[static_cast<std::size_t>(timeIndex)]);
    record.sd_mem_event_reserved = m_ui->useExternalPowerChk->isChecked() ? 1 : 0;

    const int cableSegment = m_ui->cableVoltageLossSeg->selectedSegment();
    if (cableSegment >= 0)
        record.CableVoltCorr = static_cast<std::uint32_t>(cableSegment + 1);
    m_document->store(record);
    return true;
}

int VRDSettingForBasicViewController::findAlwaysModeTimeoutIndexByValue(std::uint32_t seconds)
{
    return indexOfValue(allowedValues("always_mode_timeout"), seconds, kDefaultAlwaysModeTimeoutIndex);
}

int VRDSettingForBasicViewController::findPowerVoltageIndexByValue(std::uint32_t millivolts)
{
    return indexOfValue(allowedValues("sd_mem_always_reserved"), millivolts, kDefaultPowerVoltageIndex);
}

int VRDSettingForBasicViewController::findPowerTimeIndexByValue(std::uint32_t hours)
{
    return indexOfValue(allowedValues("sd_mem_motion_reserved"), hours, kDefaultPowerTimeIndex);
}

int VRDSettingForBasicViewController::findDrivingGsensorThresholdIndexByX(std::int32_t x, std::int32_t y, std::int32_t z)
{
    return presetIndex(kDrivingPresets, x, y, z);
}

int VRDSettingForBasicViewController::findParkingGsensorThresholdIndexByX(std::int32_t x, std::int32_t y, std::int32_t z)
{
    return presetIndex(kParkingPresets, x, y, z);
}

void VRDSettingForBasicViewController::clickGsensorEnableCheck()
{
    changeGsensorEnable();
    updateGsensorThreshold();
}

void VRDSettingForBasicViewController::clickDrivingGsensorSensitivity()
{
    updateGsensorThreshold();
}

void VRDSettingForBasicViewController::clickParkingGsensorSensitivity()
{
    updateGsensorThreshold();
}

void VRDSettingForBasicViewController::changeGsensorEnable()
{
    const bool enabled = m_ui->gsensorEnableChk->isChecked();
    m_ui->gsensorSensitivityDrivingSeg->setEnabled(enabled);
    m_ui->gsensorSensitivityParkingSeg->setEnabled(enabled);
    for (const auto &fields : {drivingFields(), parkingFields()}) {
        for (QLineEdit *field : fields)
            field->setEnabled(enabled);
    }
}

void VRDSettingForBasicViewController::updateGsensorThreshold()
{
    // The fields take typed values only for "custom", and only while the
    // G-sensor is on: a preset's values are never edited by hand.
    const bool gsensorEnabled = m_ui->gsensorEnableChk->isChecked();
    const auto update = [gsensorEnabled](const TKSegmentedControl *segment, const std::array<QLineEdit *, 3> &fields,
                                         std::span<const std::int32_t> presets) {
        const int selected = segment->selectedSegment();
        for (QLineEdit *field : fields) {
            if (selected >= 0 && static_cast<std::size_t>(selected) < presets.size())
                field->setText(thresholdText(presets[static_cast<std::size_t>(selected)]));
            field->setEnabled(gsensorEnabled && selected == kCustomSegment);
        }
    };
    update(m_ui->gsensorSensitivityDrivingSeg, drivingFields(), kDrivingPresets);
    update(m_ui->gsensorSensitivityParkingSeg, parkingFields(), kParkingPresets);
}

void VRDSettingForBasicViewController::updatePowerUI()
{
    if (m_document == nullptr)
        return;
    const bool externalPower = m_document->record().sd_mem_event_reserved == 1;
    m_ui->powerVoltageCombo->setEnabled(!externalPower);
    m_ui->powerTimeCombo->setEnabled(!externalPower);
    m_ui->useExternalPowerChk->setChecked(externalPower);
}

void VRDSettingForBasicViewController::clickUseExternalPowerChk()
{
    if (m_document == nullptr)
        return;
    FILEDATA record = m_document->record();
    record.sd_mem_event_reserved = m_ui->useExternalPowerChk->isChecked() ? 1 : 0;
    m_document->store(record);
    updatePowerUI();
}

void VRDSettingForBasicViewController::powerVoltageSelected(int index)
{
    if (index == kExternalPowerVoltageIndex)
        TKShowAlert(window(), QStringLiteral("Warning"), TKLocalizedString("msg.use_external_power_10v"));
}

void VRDSettingForBasicViewController::focus(QLineEdit *field)
{
    // After the caller's alert has been set up, so the field keeps the focus.
    QTimer::singleShot(0, field, [field] {
        field->setFocus(Qt::OtherFocusReason);
        field->selectAll();
    });
}

std::array<QLineEdit *, 3> VRDSettingForBasicViewController::drivingFields() const
{
    return {m_ui->gsensorSensitivityThresholdXDrivingField, m_ui->gsensorSensitivityThresholdYDrivingField,
            m_ui->gsensorSensitivityThresholdZDrivingField};
}

std::array<QLineEdit *, 3> VRDSettingForBasicViewController::parkingFields() const
{
    return {m_ui->gsensorSensitivityThresholdXParkingField, m_ui->gsensorSensitivityThresholdYParkingField,
            m_ui->gsensorSensitivityThresholdZParkingField};
}
