#pragma once

#include "settings/VRDSettingControllerDelegate.h"

#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <memory>

namespace Ui {
class VRDSettingForVideoViewController;
}

// Tab 0: recording quality and picture of both cameras, rear reversal and
// frame rate, tinting, night vision, view angle and the channel count. All
// inputs are choices, so there is nothing to refuse; a changed quality is
// warned about when stored.
class VRDSettingForVideoViewController : public QWidget, public VRDSettingControllerDelegate
{
    Q_OBJECT

public:
    explicit VRDSettingForVideoViewController(QWidget *parent = nullptr);
    ~VRDSettingForVideoViewController() override;

    void setFileData(VRDConfigDocument *document) override;
    QString validateUserInput() override;
    bool populate() override;
    void setMainController(VRDSettingController *controller) override;

private:
    void awakeFromNib();
    void displayFileData();
    QWidget *alertWindow();

    std::unique_ptr<Ui::VRDSettingForVideoViewController> m_ui;
    VRDConfigDocument *m_document = nullptr;
    // The qualities as last displayed, to notice a change when storing.
    std::uint32_t m_forntVideoQuality = 0;
    std::uint32_t m_rearVideoQuality = 0;
    QPointer<VRDSettingController> m_mainController;
};
