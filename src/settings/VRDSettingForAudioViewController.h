#pragma once

#include "settings/VRDSettingControllerDelegate.h"

#include <QWidget>

#include <cstdint>
#include <memory>

namespace Ui {
class VRDSettingForAudioViewController;
}
class QButtonGroup;

// Tab 6 of the settings window: microphone and speaker volumes, the hourly
// chime and the language of the camera's voice guidance. A language choice
// is written to the record as soon as it is clicked.
class VRDSettingForAudioViewController : public QWidget, public VRDSettingControllerDelegate
{
    Q_OBJECT

public:
    // Malaysian has its own radio button below the matrix of the others.
    static constexpr int kMalaysiaLanguage = 20;

    explicit VRDSettingForAudioViewController(QWidget *parent = nullptr);
    ~VRDSettingForAudioViewController() override;

    void setFileData(VRDConfigDocument *document) override;
    // Every input is a choice from a list.
    QString validateUserInput() override { return {}; }
    bool populate() override;
    void setMainController(VRDSettingController *) override {}

private:
    void awakeFromNib();
    void displayFileData();
    void languageClicked(int language);
    void voiceLangMatrixSelected();
    void malaysiaRadioSelected();
    void storeLanguage(std::uint32_t language);
    void clearLanguage();

    std::unique_ptr<Ui::VRDSettingForAudioViewController> m_ui;
    // The matrix cells (id = row * columns + column) and the Malaysia button
    // (id 20) in one exclusive group, so one click turns the other choice off.
    QButtonGroup *m_languages;
    VRDConfigDocument *m_document = nullptr;
};
