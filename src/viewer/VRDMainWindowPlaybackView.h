#pragma once

#include "viewer/VRDPlaybackView.h"
#include "viewer/VRDSwapAnimation.h"

namespace Ui {
class VRDMainWindow;
}
class CustomWindow;
class VRDLoadingController;
class VRDSensorDisplay;
class VRDWindowLayout;

// The main window as the playback controller sees it. It also owns the position
// sliders' scale: they work on whole steps, the play position is a fraction.
class VRDMainWindowPlaybackView final : public VRDPlaybackView
{
public:
    static constexpr int kPositionSliderSteps = 1000;
    static int sliderSteps(double position);
    static double sliderPosition(int steps);

    VRDMainWindowPlaybackView(CustomWindow &window, Ui::VRDMainWindow &ui, VRDLoadingController &loading,
                              VRDWindowLayout &layout, VRDSensorDisplay &sensorDisplay);

    void selectRow(qint64 row) override;
    void showLoading() override;
    void hideLoading() override;
    bool isLoadingShown() const override;
    void updateSideButtons() override;
    void showSensorData(const std::shared_ptr<const VRDBlackBoxSnapshot> &snapshot) override;
    void resetSensorFields() override;
    void setLogos(bool rearInMain, bool frontInSub) override;
    void setVideoViewsVisible(bool main, bool sub) override;
    void setAudioToggleVisible(bool visible) override;
    void showAudioChoice(bool rear) override;
    bool isAudioToggleOn() const override;
    void setVolumeSlider(int volume) override;
    double positionSliderValue() const override;
    void setPositionSliderValue(double position) override;
    void showAlert(const QString &message, const QString &detail) override;
    int mainVideoHeight() const override;
    void animateSwap() override;
    QSize windowSize() const override;
    QSize screenSize() const override;
    bool isFullScreen() const override;
    void enterFullscreen() override;
    void leaveFullscreen() override;
    void resizeWindow(const QSize &size) override;

private:
    CustomWindow &m_window;
    Ui::VRDMainWindow &m_ui;
    VRDLoadingController &m_loading;
    VRDWindowLayout &m_layout;
    VRDSensorDisplay &m_sensorDisplay;
    VRDSwapAnimation m_swapAnimation;
};
