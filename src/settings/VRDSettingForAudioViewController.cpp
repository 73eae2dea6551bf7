#include "settings/VRDSettingForAudioViewController.h"

#include "ui_VRDSettingForAudioViewController.h"

#include "config/FILEDATA.h"
#include "settings/VRDConfigDocument.h"
#include "settings/VRDSegmentValue.h"
#include "widgets/TKInterfaceHelpers.h"
#include "widgets/TKLocalization.h"

#include <QButtonGroup>

#include <array>

namespace {

// Language i of the record is matrix cell i.
constexpr std::array<const char *, 20> kLanguageKeys{
    "Korean",   "English",    "French",    "Spanish.Europe",       "Arabic",  "Chinese", "Russian",
    "Japanese", "Thai",       "BahasaIndonesia", "Vietnamese", "Mongolian", "Spanish.SouthAmerica", "German",
    "Turkish",  "Italian",    "Hindi",     "Cantonese",            "Czech",   "Portuguese",
};

QStringList volumeLabels()
{
    return {TKLocalizedString("unuse"), QStringLiteral("1(%1)").arg(TKLocalizedString("setting.aux.volume_low")),
            QStringLiteral("2"), QStringLiteral("3(%1)").arg(TKLocalizedString("setting.aux.volume_up"))};
}

} // namespace

VRDSettingForAudioViewController::VRDSettingForAudioViewController(QWidget *parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::VRDSettingForAudioViewController>())
    , m_languages(new QButtonGroup(this))
{
    m_ui->setupUi(this);
    awakeFromNib();
}

VRDSettingForAudioViewController::~VRDSettingForAudioViewController() = default;

void VRDSettingForAudioViewController::awakeFromNib()
{
    m_ui->boxOfMic->setTitle(TKLocalizedString("setting.aux.mic_volume"));
    m_ui->boxOfSpeaker->setTitle(TKLocalizedString("setting.aux.speaker_volume"));
    m_ui->boxOfVoiceLang->setTitle(TKLocalizedString("setting.aux.voice_guidance_lang_setting"));
    TKSetSegmentLabels(m_ui->micSeg, volumeLabels());
    TKSetSegmentLabels(m_ui->speakerSeg, volumeLabels());
    m_ui->useEveryHourNoticeChk->setText(TKLocalizedString("setting.aux.enable_hourly_alarm"));

    // The cells are numbered row by row, whatever the grid's shape.
    const QGridLayout *grid = m_ui->voiceLangGrid;
    QList<QAbstractButton *> cells;
    for (int row = 0; row < grid->rowCount(); ++row) {
        for (int column = 0; column < grid->columnCount(); ++column) {
            const QLayoutItem *item = grid->itemAtPosition(row, column);
            if (auto *cell = item ? qobject_cast<QAbstractButton *>(item->widget()) : nullptr) {
                m_languages->addButton(cell, row * grid->columnCount() + column);
                cells << cell;
            }
        }
    }
    QStringList titles;
    for (const char *key : kLanguageKeys)
        titles << TKLocalizedString(key);
    TKSetCellTitles(cells, titles);
    m_ui->malaysiaRadio->setText(TKLocalizedString("Malaysia"));
    m_languages->addButton(m_ui->malaysiaRadio, kMalaysiaLanguage);
    m_languages->setExclusive(true);
    connect(m_languages, &QButtonGroup::idClicked, this, &VRDSettingForAudioViewController::languageClicked);
}

void VRDSettingForAudioViewController::setFileData(VRDConfigDocument *document)
{
    m_document = document;
    displayFileData();
}

void VRDSettingForAudioViewController::displayFileData()
{
    if (m_document == nullptr)
        return;
    const FILEDATA &record = m_document->record();
    VRDSegmentValue::show(m_ui->micSeg, record.aud_input_vol);
    m_ui->useEveryHourNoticeChk->setChecked(record.alarm_ontime_flag != 0);
    VRDSegmentValue::show(m_ui->speakerSeg, record.aud_output_vol);

    const std::uint32_t language = record.Brightness1;
    QAbstractButton *choice = language <= kMalaysiaLanguage ? m_languages->button(static_cast<int>(language)) : nullptr;
    if (choice)
        choice->setChecked(true);
    else // a language the camera may know but this list does not
        clearLanguage();
}

void VRDSettingForAudioViewController::languageClicked(int language)
{
    if (language == kMalaysiaLanguage)
        malaysiaRadioSelected();
    else
        voiceLangMatrixSelected();
}

void VRDSettingForAudioViewController::voiceLangMatrixSelected()
{
    const int language = m_languages->checkedId();
    if (m_document == nullptr || language < 0 || language == kMalaysiaLanguage)
        return;
    storeLanguage(static_cast<std::uint32_t>(language));
}

void VRDSettingForAudioViewController::malaysiaRadioSelected()
{
    if (m_document == nullptr || !m_ui->malaysiaRadio->isChecked())
        return;
    storeLanguage(kMalaysiaLanguage);
}

void VRDSettingForAudioViewController::storeLanguage(std::uint32_t language)
{
    FILEDATA record = m_document->record();
    record.Brightness1 = language;
    m_document->store(record);
}

void VRDSettingForAudioViewController::clearLanguage()
{
    // An exclusive group keeps one button checked; lift that while clearing.
    if (QAbstractButton *checked = m_languages->checkedButton()) {
        m_languages->setExclusive(false);
        checked->setChecked(false);
        m_languages->setExclusive(true);
    }
}

bool VRDSettingForAudioViewController::populate()
{
    if (m_document == nullptr)
        return false;
    FILEDATA record = m_document->record();
    VRDSegmentValue::store(m_ui->micSeg, record.aud_input_vol);
    record.alarm_ontime_flag = m_ui->useEveryHourNoticeChk->isChecked() ? 1 : 0;
    VRDSegmentValue::store(m_ui->speakerSeg, record.aud_output_vol);
    // With no choice shown (a language beyond the list) the stored one stays.
    if (record.Brightness1 != kMalaysiaLanguage && m_languages->checkedId() >= 0)
        record.Brightness1 = static_cast<std::uint32_t>(m_languages->checkedId());
    m_document->store(record);
    return true;
}
