#pragma once

#include "player/VRDMediaEngine.h"

#include <QStringList>

// A scripted engine for the playback logic tests. Requests are recorded in calls() and
// change the values they set at once; the state changes only when the test drives it
// (or, with setAnswersRequests(true), when play, pause and stop answer with the state
// they lead to, on the next turn of the event loop, as a real engine would).
class FakeMediaEngine : public VRDMediaEngine
{
    Q_OBJECT

public:
    using VRDMediaEngine::VRDMediaEngine;

    void setMedia(const QString &filePath, const QString &twinPath = QString()) override;
    QString media(View view = View::Main) const override;
    void swapViews() override;
    void play() override;
    void pause() override;
    void stop() override;
    State state() const override { return m_state; }
    float position() const override;
    void setPosition(float fraction) override;
    float rate() const override { return m_rate; }
    void setRate(float rate) override;
    qint64 time() const override { return m_time; }
    void setTime(qint64 milliseconds) override;
    qint64 length() const override { return m_length; }
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

    // Every request in order, as "play", "setPosition 0.5", "setMedia /a.mp4 /b.mp4" and so on.
    const QStringList &calls() const { return m_calls; }
    void clearCalls() { m_calls.clear(); }
    void setAnswersRequests(bool answers) { m_answersRequests = answers; }

    // Script: the engine's own reports.
    void setLength(qint64 milliseconds) { m_length = milliseconds; }
    // Both files' pictures are of this size.
    void setVideoSize(const QSize &size) { m_videoSize = size; }
    void driveState(State state);
    void driveTime(qint64 milliseconds);
    // Plays to the last frame: time at the length, paused, end reported.
    void driveEnd();
    void driveError(const QString &message);
    // The twin cannot be played: it is dropped and the recording plays on alone.
    void driveTwinError(const QString &message);

private:
    void record(const QString &call);
    void answerWith(State state);

    QStringList m_calls;
    bool m_answersRequests = false;
    QString m_media;
    QString m_twin;
    bool m_swapped = false;
    std::optional<View> m_heardView = View::Main;
    State m_state = State::Stopped;
    float m_rate = 1.0f;
    qint64 m_time = 0;
    qint64 m_length = 0;
    int m_volume = 100;
    bool m_muted = false;
    QSize m_videoSize;
};
