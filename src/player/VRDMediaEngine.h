#pragma once

#include <QObject>
#include <QSize>
#include <QString>

// One playback engine: plays one file into its own view. Every call is made on the
// main thread and returns at once; outcomes (state, time, end, errors, snapshots)
// arrive later as signals on the main thread, each carrying the engine.
class VRDMediaEngine : public QObject
{
    Q_OBJECT

public:
    // The player window was designed around these state numbers; Paused (6) is the
    // state it tests, and an engine that reached the end of its file reports Paused
    // on the last frame.
    enum class State {
        Stopped = 0,
        Opening = 1,
        Buffering = 2,
        Ended = 3,
        Error = 4,
        Playing = 5,
        Paused = 6,
    };
    Q_ENUM(State)

    static constexpr int kMinVolume = 0;
    static constexpr int kMaxVolume = 200;

    using QObject::QObject;

    // The file to play; an empty path removes the media. Giving a media stops the
    // engine; play() opens it.
    virtual void setMedia(const QString &filePath) = 0;
    // The file path of the media, empty without one.
    virtual QString media() const = 0;
    bool hasMedia() const { return !media().isEmpty(); }

    virtual void play() = 0;
    virtual void pause() = 0;
    virtual void stop() = 0;

    virtual State state() const = 0;
    bool isPlaying() const { return state() == State::Playing; }

    // Fraction 0 to 1 of the length.
    virtual float position() const = 0;
    virtual void setPosition(float fraction) = 0;

    // 1.0 is normal speed.
    virtual float rate() const = 0;
    virtual void setRate(float rate) = 0;

    // Milliseconds from the start; the remaining time is the time minus the length,
    // so it is negative before the end and 0 at the end.
    virtual qint64 time() const = 0;
    virtual void setTime(qint64 milliseconds) = 0;
    qint64 remainingTime() const { return time() - length(); }
    virtual qint64 length() const = 0;

    virtual void jumpForward(int seconds) = 0;
    virtual void jumpBackward(int seconds) = 0;

    // 0 to 200, 100 is the file's own level; values outside are clamped.
    virtual int volume() const = 0;
    virtual void setVolume(int volume) = 0;
    virtual bool isMuted() const = 0;
    virtual void setMuted(bool muted) = 0;

    // The picture size, once video is out; empty before.
    virtual QSize videoSize() const = 0;
    bool hasVideoOut() const { return !videoSize().isEmpty(); }

    // Writes the current frame as a JPEG at the video's own size; snapshotFinished
    // tells the outcome.
    virtual void saveSnapshot(const QString &jpegPath) = 0;

    static int clampedVolume(int volume);

signals:
    void stateChanged(VRDMediaEngine *engine);
    void timeChanged(VRDMediaEngine *engine);
    // The file played to its end (the engine then stays paused on the last frame).
    void endReached(VRDMediaEngine *engine);
    // The media could not be played or the engine refused a request; filePath is the
    // media at the time (empty when there was none).
    void errorOccurred(VRDMediaEngine *engine, const QString &filePath, const QString &message);
    void snapshotFinished(VRDMediaEngine *engine, const QString &jpegPath, bool saved);
};
