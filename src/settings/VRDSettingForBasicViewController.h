#pragma once

#include "settings/VRDSettingControllerDelegate.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>

namespace Ui {
class VRDSettingForBasicViewController;
}
class QLineEdit;

// Tab 1 of the settings window: impact detection while driving and parked,
// the wait before parking mode, the LEDs, the vehicle number, the battery
// protection and the cable voltage-loss compensation.
class VRDSettingForBasicViewController : public QWidget, public VRDSettingControllerDelegate
{
    Q_OBJECT

public:
    // Threshold presets in hundredths of g, the same on all three axes;
    // the segment after the presets means "custom".
    static constexpr std::array<std::int32_t, 5> kDrivingPresets{70, 60, 50, 40, 30};
    static constexpr std::array<std::int32_t, 5> kParkingPresets{25, 20, 15, 12, 8};
    static constexpr int kCustomSegment = 5;

    explicit VRDSettingForBasicViewController(QWidget *parent = nullptr);
    ~VRDSettingForBasicViewController() override;

    void setFileData(VRDConfigDocument *document) override;
    QString validateUserInput() override;
    bool populate() override;
    // Alerts go to the tab's own window, which is the settings window.
    void setMainController(VRDSettingController *) override {}

    static int findAlwaysModeTimeoutIndexByValue(std::uint32_t seconds);
    static int findPowerVoltageIndexByValue(std::uint32_t millivolts);
    static int findPowerTimeIndexByValue(std::uint32_t hours);
    static int findDrivingGsensorThresholdIndexByX(std::int32_t x, std::int32_t y, std::int32_t z);
    static int findParkingGsensorThresholdIndexByX(std::int32_t x, std::int32_t y, std::int32_t z);

private:
    void awakeFromNib();
    void displayFileData();
    void clickGsensorEnableCheck();
    void clickDrivingGsensorSensitivity();
    void clickParkingGsensorSensitivity();
    void clickUseExternalPowerChk();
    void powerVoltageSelected(int index);
    void changeGsensorEnable();
    void updateGsensorThreshold();
    void updatePowerUI();
    void focus(QLineEdit *field);
    std::array<QLineEdit *, 3> drivingFields() const;
    std::array<QLineEdit *, 3> parkingFields() const;

    std::unique_ptr<Ui::VRDSettingForBasicViewController> m_ui;
    VRDConfigDocument *m_document = nullptr;
};
