#pragma once

#include "settings/VRDMapPresenter.h"

#include <memory>

class VRDMapWindowController;

// The application's map window as the drive-information tab uses it.
class VRDMapWindowPresenter : public VRDMapPresenter
{
public:
    VRDMapWindowPresenter();
    ~VRDMapWindowPresenter() override;

    void showWindow() override;
    void moveWindowRightBy(const QRect &frame) override;
    void updateMapLat(double latitude, double longitude) override;

private:
    std::unique_ptr<VRDMapWindowController> m_window;
};
