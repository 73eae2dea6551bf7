#pragma once

#include "player/MpvFrameRenderer.h"
#include "player/MpvHandle.h"
#include "player/VRDMediaEngine.h"

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QTimer>

#include <optional>

class VRDVideoView;
struct mpv_event;
struct mpv_event_property;

// A playback engine on libmpv: one core per engine, its frames shown by its own
// VRDVideoView. State and times come from observed properties, handled on the main
// thread.
class VRDMpvEngine : public VRDMediaEngine
{
    Q_OBJECT

public:
    enum class AudioOutput { System, Null };

    explicit VRDMpvEngine(VRDVideoView *view, AudioOutput audioOutput = AudioOutput::System,
                          QObject *parent = nullptr);
    ~VRDMpvEngine() override;

    void setMedia(const QString &filePath) override;
    QString media() const override { return m_mediaPath; }
    void play() override;
    void pause() override;
    void stop() override;
    State state() const override { return m_state; }
    float position() const override;
    void setPosition(float fraction) override;
    float rate() const override { return static_cast<float>(m_rate); }
    void setRate(float rate) override;
    qint64 time() const override;
    void setTime(qint64 milliseconds) override;
    qint64 length() const override;
    void jumpForward(int seconds) override;
    void jumpBackward(int seconds) override;
    int volume() const override { return m_volume; }
    void setVolume(int volume) override;
    bool isMuted() const override { return m_muted; }
    void setMuted(bool muted) override;
    QSize videoSize() const override { return m_videoSize; }
    void saveSnapshot(const QString &jpegPath) override;

private:
    enum class Observed : quint64 {
        Pause = 1,
        TimePos,
        Duration,
        EofReached,
        Speed,
        VideoWidth,
        VideoHeight,
        Volume,
        Mute,
    };
    struct SeekRequest {
        QString amount;
        const char *mode;
    };

    static void wakeup(void *engine);
    bool initialize(AudioOutput audioOutput);
    bool setOption(const char *name, const char *value);
    bool observe(Observed id, const char *name, int format);

    void drainEvents();
    void handleEvent(const mpv_event &event);
    void handlePropertyChange(Observed id, const mpv_event_property &property);
    void handleReply(const mpv_event &event);
    void fileLoaded();

    void loadMedia();
    void seek(const SeekRequest &request);
    void command(const QList<QByteArray> &arguments);
    bool sendCommand(quint64 requestId, const QList<QByteArray> &arguments);
    void setFlag(const char *name, bool value);
    void setDouble(const char *name, double value);
    void clearPlaybackValues();
    State currentState() const;
    void updateState();
    void noteTimeChange();
    void emitTimeChanged();
    void fail(const QString &message);

    // Declared first so that it is destroyed last, after the renderer has freed its
    // render context.
    MpvHandle m_mpv;
    MpvFrameRenderer m_renderer;
    bool m_usable = false;

    QString m_mediaPath;
    bool m_loadRequested = false;
    bool m_fileLoaded = false;
    bool m_playbackStarted = false;
    bool m_loadFailed = false;
    bool m_ended = false;
    // libmpv answers every loadfile with the playlist entry it made, but a file replaced
    // before it started sends no start event: events are matched to the last request
    // by entry, never counted. -1 while the reply is still to come.
    quint64 m_loadRequest = 0;
    qint64 m_requestedEntry = -1;
    qint64 m_startedEntry = -1;
    qint64 m_loadedEntry = -1;
    std::optional<SeekRequest> m_seekOnLoad;

    bool m_paused = true;
    bool m_eofReached = false;
    double m_timeSeconds = 0;
    double m_durationSeconds = 0;
    double m_rate = 1.0;
    int m_volume = 100;
    bool m_muted = false;
    QSize m_videoSize;
    State m_state = State::Stopped;

    QElapsedTimer m_sinceTimeNotified;
    QTimer m_trailingTimeNotification;

    quint64 m_nextRequestId = 1;
    QHash<quint64, QString> m_pendingRequests;
    QHash<quint64, QString> m_pendingSnapshots;
};
