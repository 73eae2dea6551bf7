#include "settings/VRDSettingForGpsViewController.h"

#include "config/FILEDATA.h"
#include "config/VRDFileData.h"
#include "settings/VRDConfigDocument.h"
#include "settings/VRDSegmentValue.h"
#include "ui_VRDSettingForGpsViewController.h"
#include "widgets/TKInterfaceHelpers.h"
#include "widgets/TKLocalization.h"

#include <array>

namespace {

// Route saving intervals in seconds after "none"; the record keeps the index.
constexpr std::array kSaveDurationSeconds{1, 3, 5, 10, 15, 30, 60};

QStringList localized(std::initializer_list<const char *> keys)
{
    QStringList texts;
    for (const char *key : keys)
        texts << TKLocalizedString(key);
    return texts;
}

} // namespace

VRDSettingForGpsViewController::VRDSettingForGpsViewController(QWidget *parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::VRDSettingForGpsViewController>())
{
    m_ui->setupUi(this);
    awakeFromNib();
}

VRDSettingForGpsViewController::~VRDSettingForGpsViewController() = default;

void VRDSettingForGpsViewController::awakeFromNib()
{
    Ui::VRDSettingForGpsViewController &ui = *m_ui;
    ui.boxOfDay->setTitle(TKLocalizedString("setting.gps.weekly_alarm"));
    ui.boxOfSpeedDisplayUnit->setTitle(TKLocalizedString("setting.gps.speed_display"));
    ui.boxOfTime->setTitle(TKLocalizedString("setting.gps.timezone_setting"));
    ui.boxOfGpsSpeedDisplay->setTitle(TKLocalizedString("setting.gps.osd_speed_display"));
    ui.boxOfSaveDuration->setTitle(TKLocalizedString("setting.gps.driving_route_info_saving_interval"));
    ui.boxOfNightTime->setTitle(TKLocalizedString("setting.gps.gps_on_parking_mode"));
    ui.gpsGuide1Field->setText(TKLocalizedString("setting.gps.gps_guide1"));
    ui.speedGuide1Field->setText(TKLocalizedString("setting.gps.gps_speed_guide1"));
    ui.timeGuide1Field->setText(TKLocalizedString("setting.gps.gps_time_guide1"));
    ui.gpsGuide2Field->setText(TKLocalizedString("setting.gps.gps_guide2"));

    TKSetSegmentLabels(ui.drivingDaySeg, localized({"none", "mon", "tue", "wed", "thu", "fri", "sat", "sun"}));
    TKSetSegmentLabels(ui.speedDisplayUnitSeg, {QStringLiteral("Km/h"), QStringLiteral("Mi/h")});
    TKSetSegmentLabels(ui.osdSpeedDisplaySeg, localized({"off", "on"}));
    QStringList intervals{TKLocalizedString("none")};
    for (const int seconds : kSaveDurationSeconds)
        intervals << TKLocalizedString("nSecond_fmt").arg(seconds);
    TKSetSegmentLabels(ui.saveDurationSeg, intervals);
    TKSetSegmentLabels(ui.nightTimeSeg, localized({"off", "on"}));

    QStringList zones;
    for (const VRDTimeZone &zone : kVRDTimeZones)
        zones << QString::fromLatin1(zone.label.data(), static_cast<qsizetype>(zone.label.size()));
    TKSetComboItems(ui.timeGmtCombo, zones);
    ui.summerTimeChk->setText(TKLocalizedString("summerTime"));
}

void VRDSettingForGpsViewController::setFileData(VRDConfigDocument *document)
{
    m_document = document;
    displayFileData();
}

void VRDSettingForGpsViewController::displayFileData()
{
    if (m_document == nullptr)
        return;
    const FILEDATA &data = m_document->record();
    Ui::VRDSettingForGpsViewController &ui = *m_ui;
    VRDSegmentValue::show(ui.drivingDaySeg, data.nodriving_day);
    VRDSegmentValue::show(ui.speedDisplayUnitSeg, data.speed_disp_unit);
    VRDSegmentValue::show(ui.osdSpeedDisplaySeg, data.osd_speed_flag);
    const std::int32_t zone = data.time_gmt;
    ui.timeGmtCombo->setCurrentIndex(zone >= 0 && zone < ui.timeGmtCombo->count() ? zone : -1);
    ui.summerTimeChk->setChecked(data.summer_time != 0);
    VRDSegmentValue::show(ui.saveDurationSeg, data.SaveDuration);
    VRDSegmentValue::show(ui.nightTimeSeg, data.NightTime);
}

QString VRDSettingForGpsViewController::validateUserInput()
{
    return {};
}

bool VRDSettingForGpsViewController::populate()
{
    if (m_document == nullptr)
        return false;
    FILEDATA data = m_document->record();
    const Ui::VRDSettingForGpsViewController &ui = *m_ui;
    VRDSegmentValue::store(ui.drivingDaySeg, data.nodriving_day);
    VRDSegmentValue::store(ui.speedDisplayUnitSeg, data.speed_disp_unit);
    VRDSegmentValue::store(ui.osdSpeedDisplaySeg, data.osd_speed_flag);
    // No zone chosen keeps the stored one: -1 ("none") or a number the
    // list does not know.
    if (ui.timeGmtCombo->currentIndex() >= 0)
        data.time_gmt = ui.timeGmtCombo->currentIndex();
    data.summer_time = ui.summerTimeChk->isChecked() ? 1 : 0;
    VRDSegmentValue::store(ui.saveDurationSeg, data.SaveDuration);
    VRDSegmentValue::store(ui.nightTimeSeg, data.NightTime);
    m_document->store(data);
    return true;
}
