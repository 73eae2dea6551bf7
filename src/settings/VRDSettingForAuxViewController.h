#pragma once

#include "settings/VRDSettingControllerDelegate.h"

#include <QWidget>

#include <cstdint>
#include <memory>

namespace Ui {
class VRDSettingForAuxViewController;
}

class QAbstractButton;

// Tab 3: how the card is shared between continuous, motion and event
// recording (one slider with a "Low" and a "High" handle), screen and mains
// settings, parking options, the picture-in-picture corner, the format
// reminder and the Wi-Fi access point. Each share must be at least 10 %;
// the Wi-Fi texts must be long enough and printable ASCII without blanks.
class VRDSettingForAuxViewController : public QWidget, public VRDSettingControllerDelegate
{
    Q_OBJECT

public:
    explicit VRDSettingForAuxViewController(QWidget *parent = nullptr);
    ~VRDSettingForAuxViewController() override;

    void setFileData(VRDConfigDocument *document) override;
    QString validateUserInput() override;
    bool populate() override;
    void setMainController(VRDSettingController *) override {}

    // Printable ASCII from "!" to "~"; an empty text is valid.
    static bool validString(const QString &text);

private:
    void awakeFromNib();
    void sliderHandle();
    void showShares();
    void displayFileData();
    // The localised key of the first Wi-Fi text that breaks a rule, or null.
    const char *wifiProblem() const;
    void changeWiFiEnable();
    // The user switched the Wi-Fi dongle on or off.
    void clickWiFiDongleCheck();
    void lcdSegmentedControl();
    QAbstractButton *pipCell(std::uint32_t position) const;
    std::uint32_t pipPosition() const;

    std::unique_ptr<Ui::VRDSettingForAuxViewController> m_ui;
    VRDConfigDocument *m_document = nullptr;
    std::int32_t m_lowRatio = 0;
    std::int32_t m_highRatio = 0;
};
