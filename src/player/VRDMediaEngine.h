#pragma once

#include <QObject>
#include <QSize>
#include <QString>

#include <optional>

// The playback engine of the player window: plays a recording in the large view and
// its twin from the other camera in the small view, both from one clock, so the two
// views show the same instant by construction. Every call is made on the main thread
// and returns at once; outcomes (state, time, end, errors, snapshots) arrive later as
// signals on the main thread, each carrying the engine.
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

    // The two views a pair is shown in.
    enum class View { Main = 0, Sub = 1 };

    static constexpr int kMinVolume = 0;
    static constexpr int kMaxVolume = 200;

    using QObject::QObject;

    // The recording of the large view and its twin for the small one; an empty twin
    // plays the recording alone, an empty path removes the media. Giving media stops
    // the engine; play() opens it.
    virtual void setMedia(const QString &filePath, const QString &twinPath = QString()) = 0;
    // The file a view shows now, empty without one.
    virtual QString media(View view = View::Main) const = 0;
    bool hasMedia(View view = View::Main) const { return !media(view).isEmpty(); }
    // Exchanges the files of the two views at once: no reopening, no seek.
    virtual void swapViews() = 0;

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
    // One frame forward (1) or back (-1); playback stays paused.
    virtual void stepFrame(int direction) = 0;

    // The view whose sound is heard; none is silence.
    virtual void setHeardView(std::optional<View> view) = 0;
    virtual std::optional<View> heardView() const = 0;
    // Of the one audio output: 0 to 200, 100 is the file's own level; values outside
    // are clamped.
    virtual int volume() const = 0;
    virtual void setVolume(int volume) = 0;
    virtual bool isMuted() const = 0;
    virtual void setMuted(bool muted) = 0;

    // The own picture size of the file a view shows, once video is out; empty before.
    virtual QSize videoSize(View view = View::Main) const = 0;
    bool hasVideoOut() const { return !videoSize().isEmpty(); }

    // Writes the large view's current picture alone, at its own size, as a JPEG;
    // snapshotFinished tells the outcome.
    virtual void saveSnapshot(const QString &jpegPath) = 0;

    static int clampedVolume(int volume);

signals:
    void stateChanged(VRDMediaEngine *engine);
    void timeChanged(VRDMediaEngine *engine);
    // The file played to its end (the engine then stays paused on the last frame).
    void endReached(VRDMediaEngine *engine);
    // A file could not be played or the engine refused a request; filePath is the
    // file concerned (empty when there was none). A twin that cannot be played is
    // dropped and the recording plays on alone: media(View::Sub) is then empty.
    void errorOccurred(VRDMediaEngine *engine, const QString &filePath, const QString &message);
    void snapshotFinished(VRDMediaEngine *engine, const QString &jpegPath, bool saved);
};
