#include "settings/VRDSettingForMotionViewController.h"

#include "ui_VRDSettingForMotionViewController.h"

#include "config/FILEDATA.h"
#include "settings/VRDConfigDocument.h"
#include "settings/VRDSegmentValue.h"
#include "widgets/TKInterfaceHelpers.h"
#include "widgets/TKLocalization.h"

namespace {

QStringList sensitivityLabels()
{
    return {TKLocalizedString("unuse"), QStringLiteral("1(%1)").arg(TKLocalizedString("insensitive")),
            QStringLiteral("2"),        QStringLiteral("3"),
            QStringLiteral("4"),        QStringLiteral("5(%1)").arg(TKLocalizedString("sensitive"))};
}

template <std::size_t N>
void showMask(const std::array<QCheckBox *, N> &blocks, std::uint32_t mask)
{
    for (int block = 1; block <= static_cast<int>(N); ++block)
        blocks[static_cast<std::size_t>(block - 1)]->setChecked(
            (mask & VRDSettingForMotionViewController::blockBit(block)) == 0);
}

template <std::size_t N>
std::uint32_t maskOf(const std::array<QCheckBox *, N> &blocks)
{
    std::uint32_t mask = 0;
    for (int block = 1; block <= static_cast<int>(N); ++block) {
        if (!blocks[static_cast<std::size_t>(block - 1)]->isChecked())
            mask |= VRDSettingForMotionViewController::blockBit(block);
    }
    return mask;
}

} // namespace

VRDSettingForMotionViewController::VRDSettingForMotionViewController(QWidget *parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::VRDSettingForMotionViewController>())
{
    m_ui->setupUi(this);
    awakeFromNib();
}

VRDSettingForMotionViewController::~VRDSettingForMotionViewController() = default;

void VRDSettingForMotionViewController::awakeFromNib()
{
    m_ui->boxOfParkingMode->setTitle(TKLocalizedString("setting.motion.paking_mode"));
    m_ui->boxOfNightVision->setTitle(TKLocalizedString("setting.motion.night_vision"));
    m_ui->boxOfMotion->setTitle(TKLocalizedString("setting.motion.sensitivity"));
    m_ui->boxOfMotionBlock->setTitle(TKLocalizedString("setting.motion.block"));
    m_ui->boxOfFrontMotionBlock->setTitle(TKLocalizedString("setting.motion.block_front"));
    m_ui->boxOfRearMotionBlock->setTitle(TKLocalizedString("setting.motion.block_rear"));
    m_ui->frontMotionSensitivityLabel->setText(TKLocalizedString("setting.aux.front_sensitivity"));
    m_ui->rearMotionSensitivityLabel->setText(TKLocalizedString("setting.aux.rear_sensitivity"));

    TKSetSegmentLabels(m_ui->frontSensitivitySeg, sensitivityLabels());
    TKSetSegmentLabels(m_ui->rearSensitivitySeg, sensitivityLabels());
    TKSetSegmentLabels(m_ui->parkingModeSeg, {TKLocalizedString("setting.motion.paking_mode_motion"),
                                              TKLocalizedString("setting.motion.paking_mode_timelapse")});
    TKSetSegmentLabels(m_ui->nightVisionSeg, {TKLocalizedString("setting.motion.night_vision_notuse"),
                                              TKLocalizedString("setting.motion.night_vision_use")});
}

void VRDSettingForMotionViewController::setFileData(VRDConfigDocument *document)
{
    m_document = document;
    displayFileData();
}

void VRDSettingForMotionViewController::displayFileData()
{
    if (m_document == nullptr)
        return;
    const FILEDATA &record = m_document->record();
    VRDSegmentValue::show(m_ui->frontSensitivitySeg, record.motion720pCValue);
    VRDSegmentValue::show(m_ui->rearSensitivitySeg, record.motion1080pCValue);
    showMask(frontBlocks(), record.motionBlock);
    showMask(rearBlocks(), record.motionBlock_Rear);
    VRDSegmentValue::show(m_ui->parkingModeSeg, record.ParkingMode);
    VRDSegmentValue::show(m_ui->nightVisionSeg, record.En_SuperNightVision);
}

bool VRDSettingForMotionViewController::populate()
{
    if (m_document == nullptr || !validateUserInput().isNull())
        return false;
    FILEDATA record = m_document->record();
    VRDSegmentValue::store(m_ui->frontSensitivitySeg, record.motion720pCValue);
    VRDSegmentValue::store(m_ui->rearSensitivitySeg, record.motion1080pCValue);
    record.motionBlock = maskOf(frontBlocks());
    record.motionBlock_Rear = maskOf(rearBlocks());
    VRDSegmentValue::store(m_ui->parkingModeSeg, record.ParkingMode);
    VRDSegmentValue::store(m_ui->nightVisionSeg, record.En_SuperNightVision);
    m_document->store(record);
    return true;
}

VRDSettingForMotionViewController::BlockBoxes VRDSettingForMotionViewController::frontBlocks() const
{
    return {m_ui->frontMotionBlock01Chk, m_ui->frontMotionBlock02Chk, m_ui->frontMotionBlock03Chk,
            m_ui->frontMotionBlock04Chk, m_ui->frontMotionBlock05Chk, m_ui->frontMotionBlock06Chk,
            m_ui->frontMotionBlock07Chk, m_ui->frontMotionBlock08Chk, m_ui->frontMotionBlock09Chk,
            m_ui->frontMotionBlock10Chk, m_ui->frontMotionBlock11Chk, m_ui->frontMotionBlock12Chk};
}

VRDSettingForMotionViewController::BlockBoxes VRDSettingForMotionViewController::rearBlocks() const
{
    return {m_ui->rearMotionBlock01Chk, m_ui->rearMotionBlock02Chk, m_ui->rearMotionBlock03Chk,
            m_ui->rearMotionBlock04Chk, m_ui->rearMotionBlock05Chk, m_ui->rearMotionBlock06Chk,
            m_ui->rearMotionBlock07Chk, m_ui->rearMotionBlock08Chk, m_ui->rearMotionBlock09Chk,
            m_ui->rearMotionBlock10Chk, m_ui->rearMotionBlock11Chk, m_ui->rearMotionBlock12Chk};
}
