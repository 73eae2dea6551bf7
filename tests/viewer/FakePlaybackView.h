#pragma once

#include "viewer/VRDPlaybackView.h"

#include <QStringList>

// Keeps what the playback controller shows, for its tests to read.
class FakePlaybackView final : public VRDPlaybackView
{
public:
    void selectRow(qint64 row) override { selectedRow = row; }
    void showLoading() override { loadingShown = true; }
    void hideLoading() override { loadingShown = false; }
    bool isLoadingShown() const override { return loadingShown; }
    void updateSideButtons() override { ++sideButtonUpdates; }
    void showSensorData(const std::shared_ptr<const VRDBlackBoxSnapshot> &shown) override { snapshot = shown; }
    void resetSensorFields() override { ++sensorFieldResets; }
    void setLogos(bool rear, bool front) override
    {
        rearInMain = rear;
        frontInSub = front;
    }
    void setVideoViewsVisible(bool main, bool sub) override
    {
        mainVisible = main;
        subVisible = sub;
    }
    void setAudioToggleVisible(bool visible) override { audioToggleVisible = visible; }
    void showAudioChoice(bool rear) override { audioToggleOn = rear; }
    bool isAudioToggleOn() const override { return audioToggleOn; }
    void setVolumeSlider(int volume) override { volumeSlider = volume; }
    double positionSliderValue() const override { return positionSlider; }
    void setPositionSliderValue(double position) override { positionSlider = position; }
    void showAlert(const QString &message, const QString &detail) override { alerts.append(message + '\n' + detail); }
    int mainVideoHeight() const override { return 360; }
    void animateSwap() override { ++swapAnimations; }
    QSize windowSize() const override { return window; }
    QSize screenSize() const override { return screen; }
    bool isFullScreen() const override { return fullScreen; }
    void enterFullscreen() override { fullScreen = true; }
    void leaveFullscreen() override { fullScreen = false; }
    void resizeWindow(const QSize &size) override { window = size; }

    qint64 selectedRow = -1;
    bool loadingShown = false;
    int sideButtonUpdates = 0;
    std::shared_ptr<const VRDBlackBoxSnapshot> snapshot;
    int sensorFieldResets = 0;
    bool rearInMain = false;
    bool frontInSub = false;
    bool mainVisible = false;
    bool subVisible = false;
    bool audioToggleVisible = false;
    bool audioToggleOn = false;
    int volumeSlider = -1;
    double positionSlider = 0.0;
    QStringList alerts;
    int swapAnimations = 0;
    QSize window{1020, 640};
    QSize screen{1280, 800};
    bool fullScreen = false;
};
