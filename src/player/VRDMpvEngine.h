#pragma once

#include "player/MpvFrameRenderer.h"
#include "player/MpvHandle.h"
#include "player/VRDMediaEngine.h"

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QTimer>
#include <QVariant>

#include <array>
#include <atomic>
#include <optional>

class VRDVideoView;
struct mpv_event;
struct mpv_event_property;
struct mpv_node;

// The playback engine on libmpv: one core plays a recording with its twin opened as an
// external file, and a filter graph puts both pictures side by side into one frame.
// One render context draws that frame into one texture; each VRDVideoView shows its
// view's rectangle of it. Both pictures therefore come from one demuxer clock. State
// and times come from observed properties, handled on the main thread.
class VRDMpvEngine : public VRDMediaEngine
{
    Q_OBJECT

public:
    enum class AudioOutput { System, Null };

    using FrameDrawing = MpvFrameRenderer::Drawing;

    VRDMpvEngine(VRDVideoView *mainView, VRDVideoView *subView, AudioOutput audioOutput = AudioOutput::System,
                 FrameDrawing drawing = FrameDrawing::Automatic, QObject *parent = nullptr);
    ~VRDMpvEngine() override;

    void setMedia(const QString &filePath, const QString &twinPath = QString()) override;
    QString media(View view = View::Main) const override;
    void swapViews() override;
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
    void stepFrame(int direction) override;
    void setHeardView(std::optional<View> view) override;
    std::optional<View> heardView() const override { return m_heardView; }
    int volume() const override { return m_volume; }
    void setVolume(int volume) override;
    bool isMuted() const override { return m_muted; }
    void setMuted(bool muted) override;
    QSize videoSize(View view = View::Main) const override;
    void saveSnapshot(const QString &jpegPath) override;

protected:
    void customEvent(QEvent *event) override;

private:
    enum class Observed : quint64 {
        Pause = 1,
        TimePos,
        Duration,
        EofReached,
        Speed,
        FrameWidth,
        FrameHeight,
        Volume,
        Mute,
        TrackList,
    };
    // The files of a pair: the one opened, and its twin opened as an external file.
    enum File { Opened = 0, Twin = 1 };
    struct SeekRequest {
        QString amount;
        const char *mode;
    };
    struct Track {
        qint64 id = -1;
        QSize size;
    };

    static void wakeup(void *engine);
    bool initialize(AudioOutput audioOutput);
    bool setOption(const char *name, const char *value);
    bool observe(Observed id, const char *name, int format);

    void drainEvents();
    void handleEvent(const mpv_event &event);
    void handlePropertyChange(Observed id, const mpv_event_property &property);
    void handleReply(const mpv_event &event);
    void handleEndFile(const mpv_event &event);
    void fileLoaded();
    void readTracks(const mpv_node &trackList);
    void settleHardwareDecoding();
    void finishSnapshot(const QString &path, const mpv_node *raw);

    File fileOf(View view) const;
    void loadMedia();
    void seek(const SeekRequest &request);
    void command(const QList<QByteArray> &arguments);
    bool sendCommand(quint64 requestId, const QList<QByteArray> &arguments);
    void setFlag(const char *name, bool value);
    void setDouble(const char *name, double value);
    void setString(const char *name, const QByteArray &value);
    QByteArray audioTrackChoice() const;
    void applyAudioTrack();
    void updateLayout();
    void clearPlaybackValues();
    State currentState() const;
    void updateState();
    void noteTimeChange();
    void emitTimeChanged();
    void fail(const QString &filePath, const QString &message);

    // Declared first so that it is destroyed last, after the renderer has freed its
    // render context.
    MpvHandle m_mpv;
    MpvFrameRenderer m_renderer;
    bool m_usable = false;
    // The one member libmpv's threads touch: set when a drain is posted to the main
    // thread, cleared when it starts.
    std::atomic_bool m_drainPosted = false;

    std::array<QString, 2> m_paths;
    // The twin is in the large view.
    bool m_swapped = false;
    bool m_loadRequested = false;
    bool m_fileLoaded = false;
    bool m_playbackStarted = false;
    bool m_loadFailed = false;
    bool m_ended = false;
    // The last load opened the twin too; a failed load is then tried once without it.
    bool m_loadedWithTwin = false;
    // The twin dropped after a failed load, blamed once the recording plays alone.
    QString m_twinOnTrial;
    // libmpv answers every loadfile with the playlist entry it made, but a file
    // replaced before it started sends no start event: events are matched to the last
    // request by entry, never counted. -1 while the reply is still to come.
    quint64 m_loadRequest = 0;
    qint64 m_requestedEntry = -1;
    qint64 m_startedEntry = -1;
    qint64 m_loadedEntry = -1;
    std::optional<SeekRequest> m_seekOnLoad;
    bool m_hardwareDecodingSettled = false;

    bool m_paused = true;
    bool m_eofReached = false;
    double m_timeSeconds = 0;
    double m_durationSeconds = 0;
    double m_rate = 1.0;
    int m_volume = 100;
    bool m_muted = false;
    std::optional<View> m_heardView = View::Main;
    QSize m_frameSize;
    std::array<Track, 2> m_videoTracks;
    std::array<Track, 2> m_audioTracks;
    State m_state = State::Stopped;

    QElapsedTimer m_sinceTimeNotified;
    QTimer m_trailingTimeNotification;

    quint64 m_nextRequestId = 1;
    QHash<quint64, QString> m_pendingRequests;
    QHash<quint64, QString> m_pendingSnapshots;
};
