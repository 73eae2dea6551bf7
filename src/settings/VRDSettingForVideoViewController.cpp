#include "settings/VRDSettingForVideoViewController.h"

#include "config/FILEDATA.h"
#include "settings/VRDConfigDocument.h"
#include "settings/VRDSegmentValue.h"
#include "settings/VRDSettingController.h"
#include "ui_VRDSettingForVideoViewController.h"
#include "widgets/TKInterfaceHelpers.h"
#include "widgets/TKLocalization.h"

namespace {

QStringList localized(std::initializer_list<const char *> keys)
{
    QStringList texts;
    for (const char *key : keys)
        texts << TKLocalizedString(key);
    return texts;
}

QStringList rearFpsLabels(bool fiftyHertzMains)
{
    return {fiftyHertzMains ? QStringLiteral("25fps") : QStringLiteral("30fps"), QStringLiteral("15fps")};
}

} // namespace

VRDSettingForVideoViewController::VRDSettingForVideoViewController(QWidget *parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::VRDSettingForVideoViewController>())
{
    m_ui->setupUi(this);
    awakeFromNib();
}

VRDSettingForVideoViewController::~VRDSettingForVideoViewController() = default;

void VRDSettingForVideoViewController::awakeFromNib()
{
    Ui::VRDSettingForVideoViewController &ui = *m_ui;
    ui.boxOfFrontVideoQuality->setTitle(TKLocalizedString("setting.video.front_quality"));
    ui.boxOfRealVideoQuality->setTitle(TKLocalizedString("setting.video.rear_quality"));
    ui.boxOfFrontVideoSetting->setTitle(TKLocalizedString("setting.video.front_setting"));
    ui.boxOfRealVideoSetting->setTitle(TKLocalizedString("setting.video.rear_setting"));
    ui.boxOfFlipVideoReal->setTitle(TKLocalizedString("setting.video.rear_reversal"));
    ui.boxOfRearFps->setTitle(TKLocalizedString("setting.video.rear_fps"));
    ui.boxOfFrontTinting->setTitle(TKLocalizedString("setting.video.front_tinting"));
    ui.boxOfRearTinting->setTitle(TKLocalizedString("setting.video.rear_tinting"));
    ui.boxOfWDR->setTitle(TKLocalizedString("setting.motion.night_vision"));
    ui.boxOfViewAngle->setTitle(TKLocalizedString("setting.video.viewangle"));
    ui.boxOfChannel->setTitle(TKLocalizedString("setting.video.channel"));
    ui.brightnessLabel->setText(TKLocalizedString("brightness"));
    ui.brightnessLabelReal->setText(TKLocalizedString("brightness"));
    ui.brightnessGuide->setText(TKLocalizedString("setting.video.cpl_filter_use"));

    const QStringList qualities = localized(
        {"setting.video.quality_normal", "setting.video.quality_high", "setting.video.quality_highest"});
    TKSetSegmentLabels(ui.videoEncodingBitrate, qualities);
    TKSetSegmentLabels(ui.videoEncodingBitrateRear, qualities);
    const QStringList brightnesses{QStringLiteral("1"), QStringLiteral("2"),
                                   QStringLiteral("3(%1)").arg(TKLocalizedString("default")), QStringLiteral("4"),
                                   QStringLiteral("5")};
    TKSetSegmentLabels(ui.videoBrightness, brightnesses);
    TKSetSegmentLabels(ui.videoBrightnessRear, brightnesses);
    TKSetSegmentLabels(ui.flipVideoRealSeg, localized({"unuse", "use"}));
    TKSetSegmentLabels(ui.rearfpsSeg, rearFpsLabels(false));
    TKSetSegmentLabels(ui.frontTinting, localized({"cpl_unuse", "cpl_use", "light_tinting", "dark_tinting"}));
    TKSetSegmentLabels(ui.rearTinting, localized({"unuse", "light_tinting", "dark_tinting"}));
    TKSetSegmentLabels(ui.wdr, localized({"setting.motion.night_vision_notuse", "setting.motion.night_vision_use"}));
    TKSetSegmentLabels(ui.viewAngle, localized({"setting.video.viewangle_standard", "setting.video.viewangle_adas"}));
    TKSetSegmentLabels(ui.channel, localized({"setting.video.channel_2", "setting.video.channel_1"}));
}

void VRDSettingForVideoViewController::setFileData(VRDConfigDocument *document)
{
    m_document = document;
    displayFileData();
}

void VRDSettingForVideoViewController::displayFileData()
{
    if (m_document == nullptr)
        return;
    const FILEDATA &data = m_document->record();
    Ui::VRDSettingForVideoViewController &ui = *m_ui;
    VRDSegmentValue::show(ui.videoEncodingBitrate, data.vid_enc_bitrate);
    VRDSegmentValue::show(ui.videoBrightness, data.vid_brightness);
    VRDSegmentValue::show(ui.videoEncodingBitrateRear, data.vid_enc_bitrate_R);
    VRDSegmentValue::show(ui.videoBrightnessRear, data.vid_brightness_R);
    ui.flipVideoRealSeg->setSelectedSegment(data.flip_video == 1 ? 1 : 0);
    ui.rearfpsSeg->setSelectedSegment(data.rear_fps == 1 ? 1 : 0);
    TKSetSegmentLabels(ui.rearfpsSeg, rearFpsLabels(data.Gamma != 0));
    VRDSegmentValue::show(ui.frontTinting, data.front_cpl_use);
    VRDSegmentValue::show(ui.rearTinting, data.rear_cpl_use);
    VRDSegmentValue::show(ui.wdr, data.En_SuperNightVision);
    m_forntVideoQuality = data.vid_enc_bitrate;
    m_rearVideoQuality = data.vid_enc_bitrate_R;
    VRDSegmentValue::show(ui.viewAngle, data.b_angle);
    VRDSegmentValue::show(ui.channel, data.b_model);
}

QString VRDSettingForVideoViewController::validateUserInput()
{
    return {};
}

bool VRDSettingForVideoViewController::populate()
{
    if (m_document == nullptr)
        return false;
    FILEDATA data = m_document->record();
    const Ui::VRDSettingForVideoViewController &ui = *m_ui;
    VRDSegmentValue::store(ui.videoEncodingBitrate, data.vid_enc_bitrate);
    VRDSegmentValue::store(ui.videoBrightness, data.vid_brightness);
    VRDSegmentValue::store(ui.videoEncodingBitrateRear, data.vid_enc_bitrate_R);
    VRDSegmentValue::store(ui.videoBrightnessRear, data.vid_brightness_R);
    VRDSegmentValue::store(ui.flipVideoRealSeg, data.flip_video);
    VRDSegmentValue::store(ui.rearfpsSeg, data.rear_fps);
    VRDSegmentValue::store(ui.frontTinting, data.front_cpl_use);
    VRDSegmentValue::store(ui.rearTinting, data.rear_cpl_use);
    VRDSegmentValue::store(ui.wdr, data.En_SuperNightVision);
    VRDSegmentValue::store(ui.viewAngle, data.b_angle);
    VRDSegmentValue::store(ui.channel, data.b_model);
    // One-channel mode has no rear camera whose LED could be switched off.
    if (data.b_model == 1)
        data.ledoff_rear = 0;
    m_document->store(data);
    if (data.vid_enc_bitrate != m_forntVideoQuality || data.vid_enc_bitrate_R != m_rearVideoQuality)
        TKShowAlert(alertWindow(), QStringLiteral("Warning"), TKLocalizedString("msg.video_quality_warning"));
    return true;
}

void VRDSettingForVideoViewController::setMainController(VRDSettingController *controller)
{
    m_mainController = controller;
}

QWidget *VRDSettingForVideoViewController::alertWindow()
{
    // The settings window outlives this tab, which is replaced on a switch.
    return m_mainController ? static_cast<QWidget *>(m_mainController) : window();
}
