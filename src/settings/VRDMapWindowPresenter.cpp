#include "settings/VRDMapWindowPresenter.h"

#include "settings/VRDMapWindowController.h"

VRDMapWindowPresenter::VRDMapWindowPresenter()
    : m_window(std::make_unique<VRDMapWindowController>())
{
}

VRDMapWindowPresenter::~VRDMapWindowPresenter() = default;

void VRDMapWindowPresenter::showWindow()
{
    m_window->showWindow();
}

void VRDMapWindowPresenter::moveWindowRightBy(const QRect &frame)
{
    m_window->moveWindowRightBy(frame);
}

void VRDMapWindowPresenter::updateMapLat(double latitude, double longitude)
{
    m_window->updateMapLat(latitude, longitude);
}
