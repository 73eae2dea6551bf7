#include "FakeMediaEngine.h"

#include <QImage>
#include <QMetaObject>

#include <algorithm>
#include <utility>

void FakeMediaEngine::record(const QString &call)
{
    m_calls.append(call);
}

void FakeMediaEngine::answerWith(State state)
{
    if (!m_answersRequests)
        return;
    QMetaObject::invokeMethod(this, [this, state] { driveState(state); }, Qt::QueuedConnection);
}

void FakeMediaEngine::setMedia(const QString &filePath, const QString &twinPath)
{
    record(QStringLiteral("setMedia %1 %2").arg(filePath, twinPath).trimmed());
    m_media = filePath;
    m_twin = filePath.isEmpty() ? QString() : twinPath;
    m_swapped = false;
    m_time = 0;
    if (m_state != State::Stopped)
        answerWith(State::Stopped);
}

QString FakeMediaEngine::media(View view) const
{
    return (view == View::Main) != m_swapped ? m_media : m_twin;
}

void FakeMediaEngine::swapViews()
{
    record(QStringLiteral("swapViews"));
    if (!m_twin.isEmpty())
        m_swapped = !m_swapped;
}

QSize FakeMediaEngine::videoSize(View view) const
{
    return media(view).isEmpty() ? QSize() : m_videoSize;
}

void FakeMediaEngine::stepFrame(int direction)
{
    record(QStringLiteral("stepFrame %1").arg(direction));
    const qint64 frameMs = 33;
    m_time = std::clamp<qint64>(m_time + direction * frameMs, 0, m_length);
}

void FakeMediaEngine::setHeardView(std::optional<View> view)
{
    record(QStringLiteral("setHeardView %1").arg(view ? static_cast<int>(*view) : -1));
    m_heardView = view;
}

void FakeMediaEngine::play()
{
    record(QStringLiteral("play"));
    if (!m_media.isEmpty())
        answerWith(State::Playing);
}

void FakeMediaEngine::pause()
{
    record(QStringLiteral("pause"));
    if (!m_media.isEmpty())
        answerWith(State::Paused);
}

void FakeMediaEngine::stop()
{
    record(QStringLiteral("stop"));
    m_time = 0;
    answerWith(State::Stopped);
}

float FakeMediaEngine::position() const
{
    return m_length > 0 ? static_cast<float>(m_time) / static_cast<float>(m_length) : 0.0f;
}

void FakeMediaEngine::setPosition(float fraction)
{
    record(QStringLiteral("setPosition %1").arg(fraction));
    m_time = static_cast<qint64>(std::clamp(fraction, 0.0f, 1.0f) * static_cast<float>(m_length));
}

void FakeMediaEngine::setRate(float rate)
{
    record(QStringLiteral("setRate %1").arg(rate));
    m_rate = rate;
}

void FakeMediaEngine::setTime(qint64 milliseconds)
{
    record(QStringLiteral("setTime %1").arg(milliseconds));
    m_time = std::clamp<qint64>(milliseconds, 0, m_length);
}

void FakeMediaEngine::jumpForward(int seconds)
{
    record(QStringLiteral("jumpForward %1").arg(seconds));
    m_time = std::min(m_time + seconds * 1000LL, m_length);
}

void FakeMediaEngine::jumpBackward(int seconds)
{
    record(QStringLiteral("jumpBackward %1").arg(seconds));
    m_time = std::max(m_time - seconds * 1000LL, 0LL);
}

void FakeMediaEngine::setVolume(int volume)
{
    record(QStringLiteral("setVolume %1").arg(volume));
    m_volume = clampedVolume(volume);
}

void FakeMediaEngine::setMuted(bool muted)
{
    record(QStringLiteral("setMuted %1").arg(muted ? 1 : 0));
    m_muted = muted;
}

void FakeMediaEngine::saveSnapshot(const QString &jpegPath)
{
    record(QStringLiteral("saveSnapshot %1").arg(jpegPath));
    bool saved = false;
    if (!m_media.isEmpty() && !m_videoSize.isEmpty()) {
        QImage frame(m_videoSize, QImage::Format_RGB32);
        frame.fill(Qt::darkGray);
        saved = frame.save(jpegPath, "JPEG");
    }
    QMetaObject::invokeMethod(
        this, [this, jpegPath, saved] { emit snapshotFinished(this, jpegPath, saved); },
        Qt::QueuedConnection);
}

void FakeMediaEngine::driveState(State state)
{
    if (state == m_state)
        return;
    m_state = state;
    emit stateChanged(this);
}

void FakeMediaEngine::driveTime(qint64 milliseconds)
{
    m_time = std::clamp<qint64>(milliseconds, 0, m_length);
    emit timeChanged(this);
}

void FakeMediaEngine::driveEnd()
{
    driveTime(m_length);
    driveState(State::Paused);
    emit endReached(this);
}

void FakeMediaEngine::driveError(const QString &message)
{
    driveState(State::Error);
    emit errorOccurred(this, m_media, message);
}

void FakeMediaEngine::driveTwinError(const QString &message)
{
    const QString twin = std::exchange(m_twin, QString());
    m_swapped = false;
    emit errorOccurred(this, twin, message);
}
