#pragma once

#include "settings/VRDSettingControllerDelegate.h"

#include <QWidget>

#include <cstdint>
#include <memory>

namespace Ui {
class VRDSettingForAdasViewController;
}

// Tab 5: the driver-assistance warnings (lane departure, forward collision,
// front-car departure, headway, urban collision, vibration) and where the
// camera sits in the car. Every input is a choice or a bounded number, so
// there is nothing to refuse; a stored value outside the lists is shown as
// the nearest or default entry and stored as that entry.
class VRDSettingForAdasViewController : public QWidget, public VRDSettingControllerDelegate
{
    Q_OBJECT

public:
    // configData is the settings window's record: the speed lists follow its
    // speed unit from the start. Not owned.
    explicit VRDSettingForAdasViewController(VRDConfigDocument *configData, QWidget *parent = nullptr);
    ~VRDSettingForAdasViewController() override;

    void setFileData(VRDConfigDocument *document) override;
    QString validateUserInput() override;
    bool populate() override;
    void setMainController(VRDSettingController *) override {}

private:
    void awakeFromNib();
    // Fills both speed lists for a speed unit (1 = mi/h, else km/h).
    void changeSpeed(std::uint32_t speedUnit);
    void displayFileData();

    // Index of a stored speed in the km/h or the mi/h speed table; 2 when the
    // table lacks it, as the camera's own menu shows such a speed.
    static int FindLdwsSpeed(std::uint8_t speed);
    static int FindFcwsSpeed(std::uint8_t speed);
    static int FindLdwsSpeedMile(std::uint8_t speed);
    static int FindFcwsSpeedMile(std::uint8_t speed);
    // Index of the headway table entry equal to factor; the table's size when
    // none is.
    static int FindHeadwayFactor(float factor);

    std::unique_ptr<Ui::VRDSettingForAdasViewController> m_ui;
    VRDConfigDocument *m_document = nullptr;
};
