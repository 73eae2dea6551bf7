#pragma once

#include "blackbox/VRDBlackBoxSnapshot.h"

#include <QSize>
#include <QString>
#include <QtGlobal>

#include <memory>

// What the playback controller shows in its window; the window implements it, and
// the controller never reaches into the window's widgets.
class VRDPlaybackView
{
public:
    virtual ~VRDPlaybackView() = default;

    // The recording table selects this row alone.
    virtual void selectRow(qint64 row) = 0;
    virtual void showLoading() = 0;
    virtual void hideLoading() = 0;
    virtual bool isLoadingShown() const = 0;
    // The side panel's buttons show the panel's mode again.
    virtual void updateSideButtons() = 0;
    // The graph and the sensor fields of a new recording.
    virtual void showSensorData(const std::shared_ptr<const VRDBlackBoxSnapshot> &snapshot) = 0;
    virtual void resetSensorFields() = 0;
    // The logos behind the two videos.
    virtual void setLogos(bool rearInMain, bool frontInSub) = 0;
    virtual void setVideoViewsVisible(bool main, bool sub) = 0;
    virtual void setAudioToggleVisible(bool visible) = 0;
    virtual void showAudioChoice(bool rear) = 0;
    virtual bool isAudioToggleOn() const = 0;
    virtual void setVolumeSlider(int volume) = 0;
    // The position sliders, as a fraction 0 to 1.
    virtual double positionSliderValue() const = 0;
    virtual void setPositionSliderValue(double position) = 0;
    virtual void showAlert(const QString &message, const QString &detail) = 0;
    // Height of the large video area in points.
    virtual int mainVideoHeight() const = 0;
    virtual void animateSwap() = 0;

    // Window size steps.
    virtual QSize windowSize() const = 0;
    // Empty when the screen is not known.
    virtual QSize screenSize() const = 0;
    virtual bool isFullScreen() const = 0;
    virtual void enterFullscreen() = 0;
    virtual void leaveFullscreen() = 0;
    virtual void resizeWindow(const QSize &size) = 0;
};
