#include "player/VRDMpvEngine.h"

#include "player/MpvMachineOutputs.h"
#include "player/MpvProperties.h"
#include "player/VRDPlayerLog.h"
#include "player/VRDVideoView.h"

#include <mpv/client.h>

#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <QMetaObject>
#include <QPointer>
#include <QtDebug>

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace {

// The player window thins time notifications further; ten a second keep its slider
// and sensor display smooth without flooding the main thread.
constexpr qint64 kTimeNotificationIntervalMs = 100;

// Posted to the engine when libmpv has events waiting.
constexpr QEvent::Type kEventsWaiting = QEvent::User;

// libmpv's errors are worth a warning; the rest is mostly expected probe failures.
void logMpvMessage(const mpv_event_log_message &message)
{
    const QByteArray text = QByteArray(message.text).trimmed();
    if (message.log_level <= MPV_LOG_LEVEL_ERROR)
        qCWarning(lcMpv, "%s: %s", message.prefix, text.constData());
    else
        qCInfo(lcMpv, "%s: %s", message.prefix, text.constData());
}

QString errorText(int error)
{
    return QString::fromUtf8(mpv_error_string(error));
}

// The value under key in a node map, or null.
const mpv_node *member(const mpv_node &map, const char *key)
{
    if (map.format != MPV_FORMAT_NODE_MAP || map.u.list == nullptr)
        return nullptr;
    for (int i = 0; i < map.u.list->num; ++i) {
        if (std::strcmp(map.u.list->keys[i], key) == 0)
            return &map.u.list->values[i];
    }
    return nullptr;
}

qint64 integerMember(const mpv_node &map, const char *key, qint64 fallback = -1)
{
    const mpv_node *value = member(map, key);
    return value != nullptr && value->format == MPV_FORMAT_INT64 ? value->u.int64 : fallback;
}

bool flagMember(const mpv_node &map, const char *key)
{
    const mpv_node *value = member(map, key);
    return value != nullptr && value->format == MPV_FORMAT_FLAG && value->u.flag != 0;
}

QByteArray stringMember(const mpv_node &map, const char *key)
{
    const mpv_node *value = member(map, key);
    return value != nullptr && value->format == MPV_FORMAT_STRING ? QByteArray(value->u.string) : QByteArray();
}

mpv_node stringNode(const char *text)
{
    mpv_node node{};
    node.format = MPV_FORMAT_STRING;
    node.u.string = const_cast<char *>(text);
    return node;
}

} // namespace

using namespace MpvProperties;

VRDMpvEngine::VRDMpvEngine(VRDVideoView *mainView, VRDVideoView *subView, AudioOutput audioOutput,
                           FrameDrawing drawing, QObject *parent)
    : VRDMediaEngine(parent)
{
    m_trailingTimeNotification.setSingleShot(true);
    connect(&m_trailingTimeNotification, &QTimer::timeout, this, &VRDMpvEngine::emitTimeChanged);
    m_usable = initialize(audioOutput);
    if (!m_usable)
        return;
    // The render context exists before any loadfile: without one libmpv plays sound only.
    QString errorText;
    m_usable = m_renderer.start(m_mpv.get(), drawing, &errorText);
    if (!m_usable) {
        qCInfo(lcPlayer, "mpv video output failed: %s", qPrintable(errorText));
        return;
    }
    if (mainView != nullptr)
        mainView->setFrameSource(&m_renderer, View::Main);
    if (subView != nullptr)
        subView->setFrameSource(&m_renderer, View::Sub);
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
    // Called on a libmpv thread, for every event: it touches nothing of the engine but
    // the flag, and posts a drain only when none is waiting in the main thread's queue.
    auto *target = static_cast<VRDMpvEngine *>(engine);
    if (!target->m_drainPosted.exchange(true))
        QCoreApplication::postEvent(target, new QEvent(kEventsWaiting));
}

void VRDMpvEngine::customEvent(QEvent *event)
{
    if (event->type() == kEventsWaiting)
        drainEvents();
    else
        VRDMediaEngine::customEvent(event);
}

bool VRDMpvEngine::initialize(AudioOutput audioOutput)
{
    mpv_handle *handle = m_mpv.get();
    if (handle == nullptr) {
        qCInfo(lcPlayer, "mpv_create failed (is LC_NUMERIC \"C\"?)");
        return false;
    }
    const MpvMachineOutputs &machine = MpvMachineOutputs::probed();
    // Without a decoder to try there is nothing to probe: messages are normal at once.
    m_hardwareDecodingSettled = std::strcmp(machine.hardwareDecoding(), kHardwareDecodingNone) == 0;
    const bool optionsSet =
        setOption(kVideoOutput, kVideoOutputLibmpv) && setOption(kKeepOpen, kYes) && setOption(kAudioFallbackToNull, kYes)
        && setOption(kPreciseSeek, kYes) && setOption(kVolumeMax, kVolumeMaxValue)
        && setOption(kHardwareDecoding, machine.hardwareDecoding())
        && setOption(kHardwareDecodingInterop, kNo) && setOption(kIdle, kYes)
        && setOption(kConfig, kNo) && setOption(kTerminal, kNo)
        && setOption(kInputDefaultBindings, kNo) && setOption(kInputVoKeyboard, kNo)
        && setOption(kOsc, kNo) && setOption(kLoadScripts, kNo) && setOption(kYtdl, kNo)
        && setOption(kKeepAspect, kNo)
        && setOption(kMessageLevel, m_hardwareDecodingSettled ? kMessageLevelNormal : kMessageLevelProbing)
        && ((audioOutput == AudioOutput::System && machine.hasSound()) || setOption(kAudioOutput, kAudioOutputNull));
    if (!optionsSet)
        return false;
    const bool observed = observe(Observed::Pause, kPause, MPV_FORMAT_FLAG)
        && observe(Observed::TimePos, kTimePos, MPV_FORMAT_DOUBLE)
        && observe(Observed::Duration, kDuration, MPV_FORMAT_DOUBLE)
        && observe(Observed::EofReached, kEofReached, MPV_FORMAT_FLAG)
        && observe(Observed::Speed, kSpeed, MPV_FORMAT_DOUBLE)
        && observe(Observed::FrameWidth, kVideoWidth, MPV_FORMAT_INT64)
        && observe(Observed::FrameHeight, kVideoHeight, MPV_FORMAT_INT64)
        && observe(Observed::Volume, kVolume, MPV_FORMAT_DOUBLE)
        && observe(Observed::Mute, kMute, MPV_FORMAT_FLAG)
        && observe(Observed::TrackList, kTrackList, MPV_FORMAT_NODE);
    if (!observed)
        return false;
    const int logResult = mpv_request_log_messages(handle, kLogLevel);
    if (logResult < 0)
        qCInfo(lcPlayer, "mpv_request_log_messages failed: %s", mpv_error_string(logResult));
    mpv_set_wakeup_callback(handle, &VRDMpvEngine::wakeup, this);
    const int result = mpv_initialize(handle);
    if (result < 0) {
        qCInfo(lcPlayer, "mpv_initialize failed: %s", mpv_error_string(result));
        return false;
    }
    return true;
}

bool VRDMpvEngine::setOption(const char *name, const char *value)
{
    const int result = mpv_set_option_string(m_mpv.get(), name, value);
    if (result < 0)
        qCInfo(lcPlayer, "mpv option %s=%s failed: %s", name, value, mpv_error_string(result));
    return result >= 0;
}

bool VRDMpvEngine::observe(Observed id, const char *name, int format)
{
    const int result = mpv_observe_property(m_mpv.get(), static_cast<quint64>(id), name,
                                            static_cast<mpv_format>(format));
    if (result < 0)
        qCInfo(lcPlayer, "mpv observing %s failed: %s", name, mpv_error_string(result));
    return result >= 0;
}

void VRDMpvEngine::setMedia(const QString &filePath, const QString &twinPath)
{
    stop();
    m_twinOnTrial.clear();
    m_paths = {filePath, filePath.isEmpty() ? QString() : twinPath};
    m_swapped = false;
}

VRDMpvEngine::File VRDMpvEngine::fileOf(View view) const
{
    return (view == View::Main) != m_swapped ? Opened : Twin;
}

QString VRDMpvEngine::media(View view) const
{
    return m_paths[fileOf(view)];
}

void VRDMpvEngine::swapViews()
{
    if (m_paths[Twin].isEmpty())
        return;
    m_swapped = !m_swapped;
    updateLayout();
    applyAudioTrack();
}

void VRDMpvEngine::play()
{
    if (!m_usable) {
        fail(m_paths[Opened], QStringLiteral("the playback engine could not be started"));
        return;
    }
    if (m_paths[Opened].isEmpty())
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
    m_loadedWithTwin = !m_paths[Twin].isEmpty();

    const QByteArray path = m_paths[Opened].toUtf8();
    const QByteArray twin = m_paths[Twin].toUtf8();
    const QByteArray audio = audioTrackChoice();
    std::vector<const char *> keys{kAudioTrack};
    std::vector<mpv_node> values{stringNode(audio.constData())};
    if (m_loadedWithTwin) {
        keys.insert(keys.end(), {kExternalFile, kLavfiComplex});
        values.insert(values.end(), {stringNode(twin.constData()), stringNode(kSideBySideGraph)});
    }
    mpv_node_list optionList{static_cast<int>(values.size()), values.data(), const_cast<char **>(keys.data())};
    mpv_node options{};
    options.format = MPV_FORMAT_NODE_MAP;
    options.u.list = &optionList;
    std::array<mpv_node, 4> arguments{stringNode(kLoadFile), stringNode(path.constData()),
                                      stringNode(kLoadFileReplace), options};
    mpv_node_list argumentList{static_cast<int>(arguments.size()), arguments.data(), nullptr};
    mpv_node commandNode{};
    commandNode.format = MPV_FORMAT_NODE_ARRAY;
    commandNode.u.list = &argumentList;

    m_loadRequest = m_nextRequestId++;
    m_pendingRequests.insert(m_loadRequest, QStringLiteral("loadfile %1").arg(m_paths[Opened]));
    const int result = mpv_command_node_async(m_mpv.get(), m_loadRequest, &commandNode);
    if (result < 0) {
        m_pendingRequests.remove(m_loadRequest);
        m_loadFailed = true;
        fail(m_paths[Opened], QStringLiteral("loadfile refused: %1").arg(errorText(result)));
    }
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

void VRDMpvEngine::stepFrame(int direction)
{
    if (!m_fileLoaded || direction == 0)
        return;
    command({direction > 0 ? kFrameStep : kFrameBackStep});
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

void VRDMpvEngine::setHeardView(std::optional<View> view)
{
    if (m_heardView == view)
        return;
    m_heardView = view;
    applyAudioTrack();
}

QByteArray VRDMpvEngine::audioTrackChoice() const
{
    if (!m_heardView)
        return kNo;
    const Track &track = m_audioTracks[fileOf(*m_heardView)];
    if (track.id >= 0)
        return QByteArray::number(track.id);
    // Before the tracks are known: the opened file's first audio track, if it is heard.
    return fileOf(*m_heardView) == Opened && !m_fileLoaded ? QByteArray("auto") : QByteArray(kNo);
}

void VRDMpvEngine::applyAudioTrack()
{
    if (m_loadRequested)
        setString(kAudioTrack, audioTrackChoice());
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

QSize VRDMpvEngine::videoSize(View view) const
{
    if (m_frameSize.isEmpty())
        return {};
    return m_videoTracks[fileOf(view)].size;
}

void VRDMpvEngine::saveSnapshot(const QString &jpegPath)
{
    if (!m_usable || !m_fileLoaded || videoSize().isEmpty()) {
        QMetaObject::invokeMethod(
            this, [this, jpegPath] { emit snapshotFinished(this, jpegPath, false); },
            Qt::QueuedConnection);
        return;
    }
    const quint64 requestId = m_nextRequestId++;
    m_pendingSnapshots.insert(requestId, jpegPath);
    if (!sendCommand(requestId, {kScreenshotRaw, kScreenshotVideo})) {
        m_pendingSnapshots.remove(requestId);
        QMetaObject::invokeMethod(
            this, [this, jpegPath] { emit snapshotFinished(this, jpegPath, false); },
            Qt::QueuedConnection);
    }
}

void VRDMpvEngine::finishSnapshot(const QString &path, const mpv_node *raw)
{
    const qint64 width = raw != nullptr ? integerMember(*raw, kRawWidth) : -1;
    const qint64 height = raw != nullptr ? integerMember(*raw, kRawHeight) : -1;
    const qint64 stride = raw != nullptr ? integerMember(*raw, kRawStride) : -1;
    const mpv_node *data = raw != nullptr ? member(*raw, kRawData) : nullptr;
    const bool usable = width > 0 && height > 0 && stride >= width * 4 && data != nullptr
        && data->format == MPV_FORMAT_BYTE_ARRAY && data->u.ba != nullptr
        && static_cast<qint64>(data->u.ba->size) >= stride * height;
    bool saved = false;
    if (usable) {
        // The raw picture is the whole frame in 32-bit BGR0; the large view's picture
        // is cut out of it and brought back to its own size.
        const QImage frame(static_cast<const uchar *>(data->u.ba->data), static_cast<int>(width),
                           static_cast<int>(height), static_cast<qsizetype>(stride), QImage::Format_RGB32);
        const QSize own = videoSize();
        QRect picture = QRect(QPoint(0, 0), frame.size());
        if (!m_paths[Twin].isEmpty() && m_loadedWithTwin && !m_frameSize.isEmpty()) {
            const int mainWidth = m_videoTracks[Opened].size.width();
            const QRect opened(0, 0, mainWidth, static_cast<int>(height));
            picture = m_swapped ? QRect(mainWidth, 0, static_cast<int>(width) - mainWidth, static_cast<int>(height))
                                : opened;
        }
        QImage still = frame.copy(picture);
        if (!own.isEmpty() && still.size() != own)
            still = still.scaled(own, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        saved = still.save(path, "JPEG");
    }
    if (!saved)
        qCInfo(lcPlayer, "mpv snapshot to %s failed", qPrintable(path));
    emit snapshotFinished(this, path, saved);
}

void VRDMpvEngine::command(const QList<QByteArray> &arguments)
{
    if (!m_usable)
        return;
    const quint64 requestId = m_nextRequestId++;
    m_pendingRequests.insert(requestId, QString::fromUtf8(arguments.join(' ')));
    if (!sendCommand(requestId, arguments)) {
        m_pendingRequests.remove(requestId);
        fail(m_paths[Opened], QStringLiteral("command %1 refused").arg(QString::fromUtf8(arguments.first())));
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
        qCInfo(lcPlayer, "mpv command %s failed: %s", arguments.first().constData(), mpv_error_string(result));
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
        fail(m_paths[Opened], QStringLiteral("setting %1 failed: %2").arg(QLatin1String(name), errorText(result)));
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
        fail(m_paths[Opened], QStringLiteral("setting %1 failed: %2").arg(QLatin1String(name), errorText(result)));
    }
}

void VRDMpvEngine::setString(const char *name, const QByteArray &value)
{
    if (!m_usable)
        return;
    const quint64 requestId = m_nextRequestId++;
    m_pendingRequests.insert(requestId, QString::fromLatin1(name));
    const char *text = value.constData();
    const int result = mpv_set_property_async(m_mpv.get(), requestId, name, MPV_FORMAT_STRING, &text);
    if (result < 0) {
        m_pendingRequests.remove(requestId);
        fail(m_paths[Opened], QStringLiteral("setting %1 failed: %2").arg(QLatin1String(name), errorText(result)));
    }
}

void VRDMpvEngine::drainEvents()
{
    // Cleared before the first read: an event that comes in meanwhile posts the next drain.
    m_drainPosted = false;
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
        if (m_loadRequested && !m_fileLoaded && m_loadedEntry == m_requestedEntry)
            fileLoaded();
        break;
    case MPV_EVENT_PLAYBACK_RESTART:
        if (!m_fileLoaded)
            break;
        m_playbackStarted = true;
        settleHardwareDecoding();
        updateState();
        emitTimeChanged();
        break;
    case MPV_EVENT_END_FILE:
        handleEndFile(event);
        break;
    case MPV_EVENT_LOG_MESSAGE:
        logMpvMessage(*static_cast<const mpv_event_log_message *>(event.data));
        break;
    default:
        break;
    }
}

void VRDMpvEngine::fileLoaded()
{
    m_fileLoaded = true;
    if (!m_twinOnTrial.isEmpty())
        fail(std::exchange(m_twinOnTrial, QString()), QStringLiteral("cannot play the twin; the recording plays alone"));
    applyAudioTrack();
    if (m_seekOnLoad) {
        const SeekRequest request = *m_seekOnLoad;
        m_seekOnLoad.reset();
        seek(request);
    }
    updateState();
}

void VRDMpvEngine::handleEndFile(const mpv_event &event)
{
    const auto *end = static_cast<const mpv_event_end_file *>(event.data);
    if (!m_loadRequested || end->playlist_entry_id != m_requestedEntry)
        return;
    m_fileLoaded = false;
    if (end->reason == MPV_END_FILE_REASON_ERROR) {
        if (m_loadedWithTwin) {
            // Either file may be the one that failed: the recording is tried alone,
            // and the twin is blamed only if the recording then plays.
            m_twinOnTrial = m_paths[Twin];
            m_paths[Twin].clear();
            m_swapped = false;
            loadMedia();
            return;
        }
        m_twinOnTrial.clear();
        m_loadFailed = true;
        updateState();
        fail(m_paths[Opened], QStringLiteral("cannot play: %1").arg(errorText(end->error)));
    } else if (end->reason == MPV_END_FILE_REASON_EOF) {
        m_ended = true;
        updateState();
        emit endReached(this);
    }
}

void VRDMpvEngine::settleHardwareDecoding()
{
    if (m_hardwareDecodingSettled)
        return;
    m_hardwareDecodingSettled = true;
    // The first decoder tried every method; later files use the one it found, or none,
    // so the probe (and its expected failures) happens once.
    char *current = mpv_get_property_string(m_mpv.get(), kHardwareDecodingCurrent);
    const QByteArray method = current != nullptr && *current != '\0' ? QByteArray(current) : QByteArray(kHardwareDecodingNone);
    mpv_free(current);
    qCInfo(lcPlayer, "mpv hardware decoding: %s", method.constData());
    setString(kHardwareDecoding, method);
    setString(kMessageLevel, kMessageLevelNormal);
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
    case Observed::FrameWidth:
        m_frameSize.setWidth(integer());
        updateLayout();
        break;
    case Observed::FrameHeight:
        m_frameSize.setHeight(integer());
        updateLayout();
        break;
    case Observed::Volume:
        if (present)
            m_volume = clampedVolume(qRound(number()));
        break;
    case Observed::Mute:
        if (present)
            m_muted = flag();
        break;
    case Observed::TrackList:
        if (property.format == MPV_FORMAT_NODE && property.data != nullptr)
            readTracks(*static_cast<const mpv_node *>(property.data));
        break;
    }
}

void VRDMpvEngine::readTracks(const mpv_node &trackList)
{
    m_videoTracks = {};
    m_audioTracks = {};
    if (trackList.format == MPV_FORMAT_NODE_ARRAY && trackList.u.list != nullptr) {
        for (int i = 0; i < trackList.u.list->num; ++i) {
            const mpv_node &entry = trackList.u.list->values[i];
            const File file = flagMember(entry, kTrackExternal) ? Twin : Opened;
            const QByteArray type = stringMember(entry, kTrackType);
            auto &tracks = type == kTrackTypeVideo ? m_videoTracks : m_audioTracks;
            if ((type != kTrackTypeVideo && type != kTrackTypeAudio) || tracks[file].id >= 0)
                continue;
            tracks[file].id = integerMember(entry, kTrackId);
            tracks[file].size = QSize(static_cast<int>(integerMember(entry, kTrackWidth, 0)),
                                      static_cast<int>(integerMember(entry, kTrackHeight, 0)));
        }
    }
    updateLayout();
    if (m_fileLoaded)
        applyAudioTrack();
}

void VRDMpvEngine::updateLayout()
{
    QRect opened(QPoint(0, 0), m_frameSize);
    QRect twin;
    if (m_loadedWithTwin && !m_frameSize.isEmpty()) {
        // The graph puts the opened file's picture, unscaled, on the left.
        const int openedWidth = std::min(m_videoTracks[Opened].size.width(), m_frameSize.width());
        opened = QRect(0, 0, openedWidth, m_frameSize.height());
        twin = QRect(openedWidth, 0, m_frameSize.width() - openedWidth, m_frameSize.height());
    }
    if (m_swapped)
        std::swap(opened, twin);
    m_renderer.setLayout(m_frameSize, opened, twin);
}

void VRDMpvEngine::handleReply(const mpv_event &event)
{
    const quint64 requestId = event.reply_userdata;
    const int error = event.error;
    if (auto snapshot = m_pendingSnapshots.find(requestId); snapshot != m_pendingSnapshots.end()) {
        const QString path = snapshot.value();
        m_pendingSnapshots.erase(snapshot);
        if (error < 0)
            qCInfo(lcPlayer, "mpv snapshot to %s failed: %s", qPrintable(path), mpv_error_string(error));
        finishSnapshot(path, error >= 0 ? &static_cast<const mpv_event_command *>(event.data)->result : nullptr);
        return;
    }
    const QString request = m_pendingRequests.take(requestId);
    if (requestId == m_loadRequest && error >= 0 && event.event_id == MPV_EVENT_COMMAND_REPLY) {
        m_requestedEntry = integerMember(static_cast<const mpv_event_command *>(event.data)->result, kPlaylistEntryId);
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
    fail(m_paths[Opened], QStringLiteral("%1 failed: %2").arg(request, errorText(error)));
}

void VRDMpvEngine::clearPlaybackValues()
{
    m_playbackStarted = false;
    m_eofReached = false;
    m_timeSeconds = 0;
    m_durationSeconds = 0;
    m_frameSize = QSize();
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

void VRDMpvEngine::fail(const QString &filePath, const QString &message)
{
    qCInfo(lcPlayer, "mpv engine: %s (%s)", qPrintable(message), qPrintable(filePath));
    emit errorOccurred(this, filePath, message);
}
