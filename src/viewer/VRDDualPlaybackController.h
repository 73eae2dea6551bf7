#pragma once

#include "blackbox/VRDBlackBoxSnapshot.h"

#include <QObject>
#include <QSize>
#include <QTimer>
#include <memory>

class VRDMediaEngine;
class VRDPlayInfo;
class VRDPlaybackView;
class VRDPlaylist;

// Plays the chosen recording in the large view and its twin from the other camera in
// the small one, both from one engine: start with the embedded data read first, state
// and time reactions, the end-of-recording watch, seeking, jumps, frame steps, swap,
// speed, volume, audio choice and window size steps. It shows what it does through
// VRDPlaybackView.
class VRDDualPlaybackController : public QObject
{
    Q_OBJECT

public:
    static constexpr int kPlayNextCheckMs = 1000;
    static constexpr int kPlayNextDelayMs = 1000;
    static constexpr int kJumpSeconds = 10;
    static constexpr int kVolumeStep = 10;
    static constexpr int kInitialVolume = 70;
    static constexpr double kEndPosition = 0.998;
    static constexpr double kPlayNextPosition = 0.95;
    static constexpr int kSwapPositionMs = 800;
    static constexpr int kSwapEndMs = 1700;
    static constexpr int kDefaultPendingStartTimeoutMs = 15000;
    static constexpr QSize kMinWindowSize{1020, 640};

    VRDDualPlaybackController(VRDMediaEngine &engine, const VRDPlaylist &playlist, VRDPlayInfo &playInfo,
                              VRDPlaybackView &view, QObject *parent = nullptr);
    ~VRDDualPlaybackController() override;

    bool playAtIndex(qint64 row);
    bool playNext();
    void stopPlay();
    void updateVideoUI();
    void initMediaControlView();
    // Holds the position display for that long after a start, seek or jump; both
    // views come from one clock, so nothing needs re-aligning.
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
    void stepForward();
    void stepBackward();
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
    int volume() const { return m_volume; }
    void setVolume(int volume);
    // How long a start may wait for the engine to play before it is given up.
    void setPendingStartTimeout(int milliseconds) { m_pendingStartTimer.setInterval(milliseconds); }

signals:
    void volumeChanged(int volume);
    // The pictures of a new recording play (the start step has run).
    void playbackStarted(qint64 row);
    // A recording could not be played; the user has been told.
    void playFailed(const QString &filePath, const QString &message);
    // A recording could not be played because the camera never finished it;
    // nobody has been told yet (recovery tells and offers to rebuild it).
    void cutOffRecordingFailed(const QString &filePath);

private:
    void startPlayback(quint64 generation, std::shared_ptr<const VRDBlackBoxSnapshot> snapshot);
    void mediaPlayerStateChanged();
    void mediaPlayerTimeChanged();
    void engineFailed(VRDMediaEngine *engine, const QString &filePath, const QString &message);
    void pendingStartTimedOut();
    void startStep();
    void giveUpPendingStart();
    void reportFailure(const QString &filePath, const QString &message);
    void updateVideoViewsVisibility();
    void updateTwinControlsVisibility();
    void setLogos();
    void stepFrame(int direction);

    VRDMediaEngine &m_engine;
    const VRDPlaylist &m_playlist;
    VRDPlayInfo &m_playInfo;
    VRDPlaybackView &m_view;
    QTimer m_playStopTimer;
    QTimer m_pendingStartTimer;
    qint64 m_mediaIndex = -1;
    int m_volume = 0;
    bool m_waitingForPlayStart = false;
    bool m_preparingPlayNext = false;
    bool m_moving = false;
    bool m_swapping = false;
    double m_movingPosition = 0.0;
    // Thins the position updates to every third time change.
    int m_timeChangeCounter = -1;
    // A start whose extraction finishes after a later start or stop is dropped, and
    // so are the delayed steps of an earlier recording.
    quint64 m_startGeneration = 0;
};
