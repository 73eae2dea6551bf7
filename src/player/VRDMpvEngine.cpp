#include "player/VRDMpvEngine.h"

#include "player/MpvProperties.h"
#include "player/VRDVideoView.h"

#include <mpv/client.h>

#include <QMetaObject>
#include <QPointer>
#include <QtDebug>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// The player window thins time notifications further; ten a second keep its slider
// and sensor display smooth without flooding the main thread.
constexpr qint64 kTimeNotificationIntervalMs = 100;

// The entry a loadfile reply names; -1 when it names none.
qint64 playlistEntryOf(const mpv_node &result)
{
    if (result.format != MPV_FORMAT_NODE_MAP)
        return -1;
    for (int i = 0; i < result.u.list->num; ++i) {
        const mpv_node &value = result.u.list->values[i];
        if (std::strcmp(result.u.list->keys[i], "playlist_entry_id") == 0 && value.format == MPV_FORMAT_INT64)
            return value.u.int64;
    }
    return -1;
}

QString errorText(int error)
{
    return QString::fromUtf8(mpv_error_string(error));
}

} // namespace

using namespace MpvProperties;

VRDMpvEngine::VRDMpvEngine(VRDVideoView *view, AudioOutput audioOutput, QObject *parent)
    : VRDMediaEngine(parent)
{
    m_trailingTimeNotification.setSingleShot(true);
    connect(&m_trailingTimeNotification, &QTimer::timeout, this, &VRDMpvEngine::emitTimeChanged);
    m_usable = initialize(audioOutput);
    if (!m_usable)
        return;
    // The render context exists before any loadfile: without one libmpv plays sound only.
    QString errorText;
    m_usable = m_renderer.start(m_mpv.get(), &errorText);
    if (!m_usable) {
        qInfo("mpv video output failed: %s", qPrintable(errorText));
        return;
    }
    if (view != nullptr)
        view->setFrameSource(&m_renderer);
}

VRDMpvEngine::~VRDMpvEngine()
{
    // The wakeup callback posts to this engine, which is going: silence it before the
    // core's threads shut down.
    if (m_mpv.get() != nullptr)
        mpv_set_wakeup_callback(m_mpv.get(), nullptr, nullptr);
}

void VRDMpvEngine::wakeup(void *engine)
{
    // Called on a libmpv thread: only hand the work to the main thread.
    QMetaObject::invokeMethod(static_cast<VRDMpvEngine *>(engine), &VRDMpvEngine::drainEvents,
                              Qt::QueuedConnection);
}

bool VRDMpvEngine::initialize(AudioOutput audioOutput)
{
    mpv_handle *handle = m_mpv.get();
    if (handle == nullptr) {
        qInfo("mpv_create failed (is LC_NUMERIC \"C\"?)");
        return false;
    }
    const bool optionsSet =
        setOption(kVideoOutput, kVideoOutputLibmpv) && setOption(kKeepOpen, kYes)
        && setOption(kPreciseSeek, kYes) && setOption(kVolumeMax, kVolumeMaxValue)
        && setOption(kHardwareDecoding, kHardwareDecodingAutoSafe) && setOption(kIdle, kYes)
        && setOption(kConfig, kNo) && setOption(kTerminal, kNo)
        && setOption(kInputDefaultBindings, kNo) && setOption(kInputVoKeyboard, kNo)
        && setOption(kOsc, kNo) && setOption(kLoadScripts, kNo) && setOption(kYtdl, kNo)
        && (audioOutput == AudioOutput::System || setOption(kAudioOutput, kAudioOutputNull));
    if (!optionsSet)
        return false;
    const bool observed = observe(Observed::Pause, kPause, MPV_FORMAT_FLAG)
        && observe(Observed::TimePos, kTimePos, MPV_FORMAT_DOUBLE)
        && observe(Observed::Duration, kDuration, MPV_FORMAT_DOUBLE)
        && observe(Observed::EofReached, kEofReached, MPV_FORMAT_FLAG)
        && observe(Observed::Speed, kSpeed, MPV_FORMAT_DOUBLE)
        && observe(Observed::VideoWidth, kVideoWidth, MPV_FORMAT_INT64)
        && observe(Observed::VideoHeight, kVideoHeight, MPV_FORMAT_INT64)
        && observe(Observed::Volume, kVolume, MPV_FORMAT_DOUBLE)
        && observe(Observed::Mute, kMute, MPV_FORMAT_FLAG);
    if (!observed)
        return false;
    const int logResult = mpv_request_log_messages(handle, kLogLevel);
    if (logResult < 0)
        qInfo("mpv_request_log_messages failed: %s", mpv_error_string(logResult));
    mpv_set_wakeup_callback(handle, &VRDMpvEngine::wakeup, this);
    const int result = mpv_initialize(handle);
    if (result < 0) {
        qInfo("mpv_initialize failed: %s", mpv_error_string(result));
        return false;
    }
    return true;
}

bool VRDMpvEngine::setOption(const char *name, const char *value)
{
    const int result = mpv_set_option_string(m_mpv.get(), name, value);
    if (result < 0)
        qInfo("mpv option %s=%s failed: %s", name, value, mpv_error_string(result));
    return result >= 0;
}

bool VRDMpvEngine::observe(Observed id, const char *name, int format)
{
    const int result = mpv_observe_property(m_mpv.get(), static_cast<quint64>(id), name,
                                            static_cast<mpv_format>(format));
    if (result < 0)
        qInfo("mpv observing %s failed: %s", name, mpv_error_string(result));
    return result >= 0;
}

void VRDMpvEngine::setMedia(const QString &filePath)
{
    stop();
    m_mediaPath = filePath;
}

void VRDMpvEngine::play()
{
    if (!m_usable) {
        fail(QStringLiteral("the playback engine could not be started"));
        return;
    }
    if (m_mediaPath.isEmpty())
        return;
    setFlag(kPause, false);
    if (!m_loadRequested || m_loadFailed || m_ended)
        loadMedia();
}

void VRDMpvEngine::pause()
{
    if (m_usable && m_loadRequested)
        setFlag(kPause, true);
}

void VRDMpvEngine::stop()
{
    if (!m_usable)
        return;
    if (m_loadRequested)
        command({kStop});
    m_loadRequested = false;
    m_fileLoaded = false;
    m_loadFailed = false;
    m_ended = false;
    m_seekOnLoad.reset();
    clearPlaybackValues();
    updateState();
}

void VRDMpvEngine::loadMedia()
{
    m_loadRequested = true;
    m_loadFailed = false;
    m_ended = false;
    m_fileLoaded = false;
    clearPlaybackValues();
    m_requestedEntry = -1;
    m_loadRequest = m_nextRequestId;
    command({kLoadFile, m_mediaPath.toUtf8(), kLoadFileReplace});
    updateState();
}

float VRDMpvEngine::position() const
{
    if (m_durationSeconds <= 0)
        return 0.0f;
    return static_cast<float>(std::clamp(m_timeSeconds / m_durationSeconds, 0.0, 1.0));
}

void VRDMpvEngine::setPosition(float fraction)
{
    const double bounded = std::clamp(static_cast<double>(fraction), 0.0, 1.0);
    m_timeSeconds = bounded * m_durationSeconds;
    seek({QString::number(bounded * 100.0, 'f', 4), kSeekAbsolutePercent});
}

qint64 VRDMpvEngine::time() const
{
    return static_cast<qint64>(m_timeSeconds * 1000.0);
}

void VRDMpvEngine::setTime(qint64 milliseconds)
{
    const double seconds = std::max<qint64>(milliseconds, 0) / 1000.0;
    m_timeSeconds = m_durationSeconds > 0 ? std::min(seconds, m_durationSeconds) : seconds;
    seek({QString::number(seconds, 'f', 3), kSeekAbsolute});
}

qint64 VRDMpvEngine::length() const
{
    return static_cast<qint64>(m_durationSeconds * 1000.0);
}

void VRDMpvEngine::jumpForward(int seconds)
{
    if (!m_fileLoaded)
        return;
    m_timeSeconds = std::min(m_timeSeconds + seconds, m_durationSeconds);
    seek({QString::number(seconds), kSeekRelative});
}

void VRDMpvEngine::jumpBackward(int seconds)
{
    if (!m_fileLoaded)
        return;
    m_timeSeconds = std::max(m_timeSeconds - seconds, 0.0);
    seek({QString::number(-seconds), kSeekRelative});
}

void VRDMpvEngine::seek(const SeekRequest &request)
{
    if (!m_usable)
        return;
    if (!m_fileLoaded) {
        if (m_loadRequested)
            m_seekOnLoad = request;
        return;
    }
    command({kSeek, request.amount.toUtf8(), request.mode});
}

void VRDMpvEngine::setRate(float rate)
{
    if (!(rate > 0.0f))
        return;
    m_rate = rate;
    setDouble(kSpeed, rate);
}

void VRDMpvEngine::setVolume(int volume)
{
    m_volume = clampedVolume(volume);
    setDouble(kVolume, m_volume);
}

void VRDMpvEngine::setMuted(bool muted)
{
    m_muted = muted;
    setFlag(kMute, muted);
}

void VRDMpvEngine::saveSnapshot(const QString &jpegPath)
{
    if (!m_usable || !m_fileLoaded || m_videoSize.isEmpty()) {
        QMetaObject::invokeMethod(
            this, [this, jpegPath] { emit snapshotFinished(this, jpegPath, false); },
            Qt::QueuedConnection);
        return;
    }
    const quint64 requestId = m_nextRequestId++;
    m_pendingSnapshots.insert(requestId, jpegPath);
    if (!sendCommand(requestId, {kScreenshotToFile, jpegPath.toUtf8(), kScreenshotVideo})) {
        m_pendingSnapshots.remove(requestId);
        QMetaObject::invokeMethod(
            this, [this, jpegPath] { emit snapshotFinished(this, jpegPath, false); },
            Qt::QueuedConnection);
    }
}

void VRDMpvEngine::command(const QList<QByteArray> &arguments)
{
    if (!m_usable)
        return;
    const quint64 requestId = m_nextRequestId++;
    m_pendingRequests.insert(requestId, QString::fromUtf8(arguments.join(' ')));
    if (!sendCommand(requestId, arguments)) {
        m_pendingRequests.remove(requestId);
        fail(QStringLiteral("command %1 refused").arg(QString::fromUtf8(arguments.first())));
    }
}

bool VRDMpvEngine::sendCommand(quint64 requestId, const QList<QByteArray> &arguments)
{
    std::vector<const char *> argv;
    argv.reserve(arguments.size() + 1);
    for (const QByteArray &argument : arguments)
        argv.push_back(argument.constData());
    argv.push_back(nullptr);
    const int result = mpv_command_async(m_mpv.get(), requestId, argv.data());
    if (result < 0)
        qInfo("mpv command %s failed: %s", arguments.first().constData(), mpv_error_string(result));
    return result >= 0;
}

void VRDMpvEngine::setFlag(const char *name, bool value)
{
    if (!m_usable)
        return;
    int flag = value ? 1 : 0;
    const quint64 requestId = m_nextRequestId++;
    m_pendingRequests.insert(requestId, QString::fromLatin1(name));
    const int result = mpv_set_property_async(m_mpv.get(), requestId, name, MPV_FORMAT_FLAG, &flag);
    if (result < 0) {
        m_pendingRequests.remove(requestId);
        fail(QStringLiteral("setting %1 failed: %2").arg(QLatin1String(name), errorText(result)));
    }
}

void VRDMpvEngine::setDouble(const char *name, double value)
{
    if (!m_usable)
        return;
    const quint64 requestId = m_nextRequestId++;
    m_pendingRequests.insert(requestId, QString::fromLatin1(name));
    const int result =
        mpv_set_property_async(m_mpv.get(), requestId, name, MPV_FORMAT_DOUBLE, &value);
    if (result < 0) {
        m_pendingRequests.remove(requestId);
        fail(QStringLiteral("setting %1 failed: %2").arg(QLatin1String(name), errorText(result)));
    }
}

void VRDMpvEngine::drainEvents()
{
    QPointer<VRDMpvEngine> alive(this);
    while (alive != nullptr) {
        const mpv_event *event = mpv_wait_event(m_mpv.get(), 0);
        if (event->event_id == MPV_EVENT_NONE)
            return;
        handleEvent(*event);
    }
}

void VRDMpvEngine::handleEvent(const mpv_event &event)
{
    switch (event.event_id) {
    case MPV_EVENT_PROPERTY_CHANGE:
        handlePropertyChange(static_cast<Observed>(event.reply_userdata),
                             *static_cast<const mpv_event_property *>(event.data));
        break;
    case MPV_EVENT_COMMAND_REPLY:
    case MPV_EVENT_SET_PROPERTY_REPLY:
        handleReply(event);
        break;
    case MPV_EVENT_START_FILE:
        m_loadedEntry = -1;
        m_startedEntry = static_cast<const mpv_event_start_file *>(event.data)->playlist_entry_id;
        break;
    case MPV_EVENT_FILE_LOADED:
        m_loadedEntry = m_startedEntry;
        if (m_loadRequested && m_loadedEntry == m_requestedEntry)
            fileLoaded();
        break;
    case MPV_EVENT_PLAYBACK_RESTART:
        if (!m_fileLoaded)
            break;
        m_playbackStarted = true;
        updateState();
        emitTimeChanged();
        break;
    case MPV_EVENT_END_FILE: {
        const auto *end = static_cast<const mpv_event_end_file *>(event.data);
        if (!m_loadRequested || end->playlist_entry_id != m_requestedEntry)
            break;
        m_fileLoaded = false;
        if (end->reason == MPV_END_FILE_REASON_ERROR) {
            m_loadFailed = true;
            updateState();
            fail(QStringLiteral("cannot play: %1").arg(errorText(end->error)));
        } else if (end->reason == MPV_END_FILE_REASON_EOF) {
            m_ended = true;
            updateState();
            emit endReached(this);
        }
        break;
    }
    case MPV_EVENT_LOG_MESSAGE: {
        const auto *message = static_cast<const mpv_event_log_message *>(event.data);
        qInfo("mpv %s: %s", message->prefix, QByteArray(message->text).trimmed().constData());
        break;
    }
    default:
        break;
    }
}

void VRDMpvEngine::handlePropertyChange(Observed id, const mpv_event_property &property)
{
    const bool present = property.format != MPV_FORMAT_NONE && property.data != nullptr;
    const auto flag = [&] { return present && *static_cast<const int *>(property.data) != 0; };
    const auto number = [&] { return present ? *static_cast<const double *>(property.data) : 0.0; };
    const auto integer = [&] {
        return present ? static_cast<int>(*static_cast<const int64_t *>(property.data)) : 0;
    };
    switch (id) {
    case Observed::Pause:
        m_paused = flag();
        updateState();
        break;
    case Observed::TimePos:
        m_timeSeconds = number();
        if (m_fileLoaded)
            noteTimeChange();
        break;
    case Observed::Duration:
        m_durationSeconds = number();
        break;
    case Observed::EofReached: {
        const bool wasAtEnd = m_eofReached;
        m_eofReached = flag();
        updateState();
        if (m_eofReached && !wasAtEnd && m_fileLoaded)
            emit endReached(this);
        break;
    }
    case Observed::Speed:
        if (present)
            m_rate = number();
        break;
    case Observed::VideoWidth:
        m_videoSize.setWidth(integer());
        break;
    case Observed::VideoHeight:
        m_videoSize.setHeight(integer());
        break;
    case Observed::Volume:
        if (present)
            m_volume = clampedVolume(qRound(number()));
        break;
    case Observed::Mute:
        if (present)
            m_muted = flag();
        break;
    }
}

void VRDMpvEngine::fileLoaded()
{
    m_fileLoaded = true;
    if (m_seekOnLoad) {
        const SeekRequest request = *m_seekOnLoad;
        m_seekOnLoad.reset();
        seek(request);
    }
    updateState();
}

void VRDMpvEngine::handleReply(const mpv_event &event)
{
    const quint64 requestId = event.reply_userdata;
    const int error = event.error;
    if (auto snapshot = m_pendingSnapshots.find(requestId); snapshot != m_pendingSnapshots.end()) {
        const QString path = snapshot.value();
        m_pendingSnapshots.erase(snapshot);
        if (error < 0)
            qInfo("mpv snapshot to %s failed: %s", qPrintable(path), mpv_error_string(error));
        emit snapshotFinished(this, path, error >= 0);
        return;
    }
    const QString request = m_pendingRequests.take(requestId);
    if (requestId == m_loadRequest && error >= 0 && event.event_id == MPV_EVENT_COMMAND_REPLY) {
        m_requestedEntry = playlistEntryOf(static_cast<const mpv_event_command *>(event.data)->result);
        // The file may have loaded before its reply was handled.
        if (m_loadRequested && !m_fileLoaded && m_requestedEntry >= 0 && m_loadedEntry == m_requestedEntry)
            fileLoaded();
    }
    if (error >= 0)
        return;
    if (requestId == m_loadRequest) {
        m_loadFailed = true;
        updateState();
    }
    fail(QStringLiteral("%1 failed: %2").arg(request, errorText(error)));
}

void VRDMpvEngine::clearPlaybackValues()
{
    m_playbackStarted = false;
    m_eofReached = false;
    m_timeSeconds = 0;
    m_durationSeconds = 0;
    m_videoSize = QSize();
    m_trailingTimeNotification.stop();
}

VRDMediaEngine::State VRDMpvEngine::currentState() const
{
    if (m_loadFailed)
        return State::Error;
    if (m_ended)
        return State::Ended;
    if (!m_loadRequested)
        return State::Stopped;
    if (!m_fileLoaded)
        return State::Opening;
    if (m_paused || m_eofReached)
        return State::Paused;
    if (!m_playbackStarted)
        return State::Buffering;
    return State::Playing;
}

void VRDMpvEngine::updateState()
{
    const State next = currentState();
    if (next == m_state)
        return;
    m_state = next;
    emit stateChanged(this);
}

void VRDMpvEngine::noteTimeChange()
{
    const qint64 since = m_sinceTimeNotified.isValid() ? m_sinceTimeNotified.elapsed()
                                                        : kTimeNotificationIntervalMs;
    if (since >= kTimeNotificationIntervalMs) {
        emitTimeChanged();
        return;
    }
    if (!m_trailingTimeNotification.isActive())
        m_trailingTimeNotification.start(static_cast<int>(kTimeNotificationIntervalMs - since));
}

void VRDMpvEngine::emitTimeChanged()
{
    m_trailingTimeNotification.stop();
    m_sinceTimeNotified.start();
    emit timeChanged(this);
}

void VRDMpvEngine::fail(const QString &message)
{
    qInfo("mpv engine: %s (%s)", qPrintable(message), qPrintable(m_mediaPath));
    emit errorOccurred(this, m_mediaPath, message);
}
