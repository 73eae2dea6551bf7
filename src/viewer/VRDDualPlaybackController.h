#pragma once

#include "blackbox/VRDBlackBoxSnapshot.h"
#include "viewer/VRDEngineSync.h"
#include "viewer/VRDSwapAnimation.h"

#include <QObject>
#include <QTimer>
#include <memory>

class VRDAppDelegate;
class VRDMediaEngine;
class VRDSensorDisplay;

// Plays the chosen recording in player1 and its twin from the other camera in
// player2, player1 being the master: start with the embedded data read first,
// state and time reactions, the end-of-recording watch, seeking, jumps, swap,
// speed, volume, audio choice and window size steps.
class VRDDualPlaybackController : public QObject
{
    Q_OBJECT

public:
    static constexpr int kPlayNextCheckMs = 1000;
    static constexpr int kPlayNextDelayMs = 1000;
    static constexpr int kJumpSeconds = 10;
    static constexpr int kVolumeStep = 10;
    static constexpr double kEndPosition = 0.998;
    static constexpr double kPlayNextPosition = 0.95;
    static constexpr int kSwapPositionMs = 800;
    static constexpr int kSwapEndMs = 1700;
    // Both engines have just opened their files: park the follower far enough
    // ahead that its first seek is done before the master gets there.
    static constexpr qint64 kSwapAlignLeadMs = 400;
    static constexpr int kDefaultPendingStartTimeoutMs = 15000;

    VRDDualPlaybackController(VRDAppDelegate &app, VRDMediaEngine &player1, VRDMediaEngine &player2,
                              VRDSensorDisplay &sensorDisplay, QObject *parent = nullptr);
    ~VRDDualPlaybackController() override;

    bool playAtIndex(qint64 row);
    bool playNext();
    void stopPlay();
    void updateVideoUI();
    void initMediaControlView();
    void syncVideoPositionDelay(double seconds);
    // Has a media, reports playing and has time left.
    static bool isPlaying(const VRDMediaEngine &engine);
    void didStartPlayer();
    void didFinishPlay();
    void startTimerPlayNext();
    void timerPlayNext();
    void chooseAudioAuto();
    void updateAudioUI();
    void updatePlayInfoScale();
    void setVideoScaleIndex(int index);

    // Actions of the window's controls.
    void changeAndPlay(qint64 row);
    void clickPlayButton();
    void videoPositionSliderMoved(double value);
    void jumpForward();
    void jumpBackward();
    void swapPlayer();
    void increaseSpeed();
    void decreaseSpeed();
    void volumeSliderMoved(int value);
    void volumeUp();
    void volumeDown();
    void toggleAudioChoice();
    void sizeUp();
    void sizeDown();

    qint64 mediaIndex() const { return m_mediaIndex; }
    void resetMediaIndex() { m_mediaIndex = -1; }
    bool waitingForPlayStart() const { return m_waitingForPlayStart; }
    bool preparingPlayNext() const { return m_preparingPlayNext; }
    bool moving() const { return m_moving; }
    double movingPosition() const { return m_movingPosition; }
    bool swapping() const { return m_swapping; }
    VRDEngineSync &engineSync() { return m_engineSync; }
    // How long a start may wait for both engines to play before it is given up.
    void setPendingStartTimeout(int milliseconds) { m_pendingStartTimer.setInterval(milliseconds); }

signals:
    // Both engines of a new recording play (the start step has run).
    void playbackStarted(qint64 row);
    // A recording could not be played; the user has been told.
    void playFailed(const QString &filePath, const QString &message);
    // A recording could not be played because the camera never finished it;
    // nobody has been told yet (recovery tells and offers to rebuild it).
    void cutOffRecordingFailed(const QString &filePath);

private:
    void startPlayback(quint64 generation, std::shared_ptr<const VRDBlackBoxSnapshot> snapshot);
    void mediaPlayerStateChanged(VRDMediaEngine *engine);
    void mediaPlayerTimeChanged(VRDMediaEngine *engine);
    void engineFailed(VRDMediaEngine *engine, const QString &filePath, const QString &message);
    void pendingStartTimedOut();
    void startStep();
    void giveUpPendingStart();
    void reportFailure(const QString &filePath, const QString &message);
    void updateVideoViewsVisibility();
    void updateTwinControlsVisibility();
    void setLogos();
    double positionSliderValue() const;
    void setPositionSliderValue(double value);
    void setBothTimesToEnd();
    void playBoth();

    VRDAppDelegate &m_app;
    VRDMediaEngine &m_player1;
    VRDMediaEngine &m_player2;
    VRDSensorDisplay &m_sensorDisplay;
    VRDEngineSync m_engineSync;
    VRDSwapAnimation m_swapAnimation;
    QTimer m_playStopTimer;
    QTimer m_pendingStartTimer;
    qint64 m_mediaIndex = -1;
    bool m_waitingForPlayStart = false;
    bool m_preparingPlayNext = false;
    bool m_moving = false;
    bool m_swapping = false;
    double m_movingPosition = 0.0;
    // Thins the position updates to every third time change of player1.
    int m_timeChangeCounter = -1;
    // A start whose extraction finishes after a later start or stop is dropped.
    quint64 m_startGeneration = 0;
};
