#pragma once

#include "settings/VRDSettingControllerDelegate.h"

#include <QWidget>

#include <memory>

namespace Ui {
class VRDSettingForGpsViewController;
}

// Tab 2: weekly alarm day, speed unit, speed stamp, time zone and summer
// time of the GPS clock, route saving interval and GPS in parking mode. All
// inputs are choices, so there is nothing to refuse.
class VRDSettingForGpsViewController : public QWidget, public VRDSettingControllerDelegate
{
    Q_OBJECT

public:
    explicit VRDSettingForGpsViewController(QWidget *parent = nullptr);
    ~VRDSettingForGpsViewController() override;

    void setFileData(VRDConfigDocument *document) override;
    QString validateUserInput() override;
    bool populate() override;
    // The tab neither loads files nor needs the window beyond its own.
    void setMainController(VRDSettingController *) override {}

private:
    void awakeFromNib();
    void displayFileData();

    std::unique_ptr<Ui::VRDSettingForGpsViewController> m_ui;
    VRDConfigDocument *m_document = nullptr;
};
