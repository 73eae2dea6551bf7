#include "viewer/VRDDualPlaybackController.h"

#include "player/VRDMediaEngine.h"
#include "viewer/VRDPlayInfo.h"
#include "viewer/VRDPlaybackView.h"
#include "media/VRDPlaylist.h"
#include "blackbox/VRDBlackBoxData.h"
#include "media/VRDMediaPathDirection.h"
#include "repair/VRDRecordingRepairer.h"
#include "widgets/TKLocalization.h"

#include <QFile>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>

namespace {

using State = VRDMediaEngine::State;
using View = VRDMediaEngine::View;

constexpr int kAlignAfterStartMs = 100;
constexpr int kAlignAfterSeekMs = 300;
constexpr int kResumeAfterSeekMs = 100;
constexpr double kWindowSizeStep = 0.2;
constexpr int kScreenHeightReserve = 100;
constexpr double kMaxSpeed = 2.0;
constexpr double kMinSpeed = 1.0;

enum AudioDirection { AudioFront = 0, AudioRear = 1, AudioNone = 2 };

bool reportsPlaying(const VRDMediaEngine &engine)
{
    return engine.hasMedia() && engine.isPlaying();
}

bool isPaused(const VRDMediaEngine &engine)
{
    return engine.state() == State::Paused;
}

bool showsPicture(const VRDMediaEngine &engine)
{
    return reportsPlaying(engine) || isPaused(engine);
}

// The player's clock text: "mm:ss", with hours when there are any, "-" before
// a negative time.
QString timeString(qint64 milliseconds)
{
    const qint64 seconds = std::abs(milliseconds) / 1000;
    const QString sign = milliseconds < 0 ? QStringLiteral("-") : QString();
    if (seconds >= 3600)
        return sign + QString::asprintf("%lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return sign + QString::asprintf("%02lld:%02lld", seconds / 60, seconds % 60);
}

std::shared_ptr<const VRDBlackBoxSnapshot> extractSensorData(const std::string &path)
{
    VRDBlackBoxData blackBoxData(
        [](std::string_view line) { qInfo("%.*s", static_cast<int>(line.size()), line.data()); });
    blackBoxData.ExtractStreamInformation(path);
    return blackBoxData.snapshot();
}

} // namespace

VRDDualPlaybackController::VRDDualPlaybackController(VRDMediaEngine &engine, const VRDPlaylist &playlist,
                                                     VRDPlayInfo &playInfo, VRDPlaybackView &view, QObject *parent)
    : QObject(parent), m_engine(engine), m_playlist(playlist), m_playInfo(playInfo), m_view(view)
{
    connect(&m_engine, &VRDMediaEngine::stateChanged, this, &VRDDualPlaybackController::mediaPlayerStateChanged);
    connect(&m_engine, &VRDMediaEngine::timeChanged, this, &VRDDualPlaybackController::mediaPlayerTimeChanged);
    connect(&m_engine, &VRDMediaEngine::errorOccurred, this, &VRDDualPlaybackController::engineFailed);
    m_playStopTimer.setInterval(kPlayNextCheckMs);
    connect(&m_playStopTimer, &QTimer::timeout, this, &VRDDualPlaybackController::timerPlayNext);
    m_pendingStartTimer.setSingleShot(true);
    m_pendingStartTimer.setInterval(kDefaultPendingStartTimeoutMs);
    connect(&m_pendingStartTimer, &QTimer::timeout, this, &VRDDualPlaybackController::pendingStartTimedOut);
    connect(&m_playInfo, &VRDPlayInfo::audioMediaDirectionChanged, this, &VRDDualPlaybackController::updateAudioUI);
    connect(this, &VRDDualPlaybackController::volumeChanged, this, &VRDDualPlaybackController::updateAudioUI);
}

VRDDualPlaybackController::~VRDDualPlaybackController() = default;

bool VRDDualPlaybackController::isPlaying(const VRDMediaEngine &engine)
{
    return reportsPlaying(engine) && (engine.length() <= 0 || engine.remainingTime() < 0);
}

bool VRDDualPlaybackController::playAtIndex(qint64 row)
{
    const qint64 count = m_playlist.count();
    if (count == 0 || m_waitingForPlayStart)
        return false;
    row = std::clamp<qint64>(row, 0, count - 1);
    m_waitingForPlayStart = true;
    const quint64 generation = ++m_startGeneration;
    m_engine.stop();
    m_engine.setMedia(QString());
    m_mediaIndex = row;
    m_view.selectRow(row);
    m_preparingPlayNext = false;
    startTimerPlayNext();
    updateVideoUI();
    m_view.showLoading();

    const QString main = m_engine.media(View::Main);
    const QString frontPath = VRDIsRearMediaPath(main.toStdString()) && m_engine.hasMedia(View::Sub)
        ? m_engine.media(View::Sub)
        : main;
    auto *watcher = new QFutureWatcher<std::shared_ptr<const VRDBlackBoxSnapshot>>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, generation] {
        watcher->deleteLater();
        startPlayback(generation, watcher->result());
    });
    watcher->setFuture(QtConcurrent::run(extractSensorData, frontPath.toStdString()));
    return true;
}

void VRDDualPlaybackController::startPlayback(quint64 generation, std::shared_ptr<const VRDBlackBoxSnapshot> snapshot)
{
    if (generation != m_startGeneration)
        return;
    m_view.showSensorData(snapshot);
    initMediaControlView();
    m_pendingStartTimer.start();
    m_engine.play();
}

void VRDDualPlaybackController::updateVideoUI()
{
    const auto entry = m_playlist.entryAt(std::max<qint64>(m_mediaIndex, 0));
    if (!entry)
        return;
    m_engine.setMedia(QString::fromStdString(entry->path), QString::fromStdString(entry->twinPath));
    setLogos();
    updateTwinControlsVisibility();
}

void VRDDualPlaybackController::setLogos()
{
    const bool rearInMain = VRDIsRearMediaPath(m_engine.media(View::Main).toStdString());
    const bool frontInSub = m_engine.hasMedia(View::Sub) ? VRDIsFrontMediaPath(m_engine.media(View::Sub).toStdString())
                                                         : rearInMain;
    m_view.setLogos(rearInMain, frontInSub);
}

void VRDDualPlaybackController::updateTwinControlsVisibility()
{
    updateVideoViewsVisibility();
    m_view.setAudioToggleVisible(m_engine.hasMedia(View::Sub));
}

void VRDDualPlaybackController::initMediaControlView()
{
    m_waitingForPlayStart = true;
    m_timeChangeCounter = -1;
    m_view.setPositionSliderValue(0.0);
    setVideoScaleIndex(0);
    m_view.updateSideButtons();
    m_playInfo.setSpeed(1.0);
    m_engine.setRate(1.0f);
    m_playInfo.setPosition(0.0);
    m_view.resetSensorFields();
}

void VRDDualPlaybackController::syncVideoPositionDelay(double seconds)
{
    if (!m_engine.hasMedia(View::Sub)) {
        m_moving = false;
        return;
    }
    const quint64 generation = m_startGeneration;
    QTimer::singleShot(static_cast<int>(seconds * 1000), this, [this, generation] {
        if (generation == m_startGeneration)
            m_moving = false;
    });
}

void VRDDualPlaybackController::updateVideoViewsVisibility()
{
    const bool shown = showsPicture(m_engine);
    m_view.setVideoViewsVisible(shown, shown && m_engine.hasMedia(View::Sub));
}

void VRDDualPlaybackController::mediaPlayerStateChanged()
{
    updateVideoViewsVisibility();
    if (!m_engine.hasMedia())
        return;
    if (isPaused(m_engine))
        didFinishPlay();
    else if (reportsPlaying(m_engine))
        startStep();
}

void VRDDualPlaybackController::startStep()
{
    if (m_waitingForPlayStart) {
        m_waitingForPlayStart = false;
        m_pendingStartTimer.stop();
        didStartPlayer();
        emit playbackStarted(m_mediaIndex);
    } else {
        updateAudioUI();
    }
}

void VRDDualPlaybackController::didStartPlayer()
{
    m_playInfo.setSpeed(m_engine.rate());
    m_playInfo.setIsPlaying(isPlaying(m_engine));
    chooseAudioAuto();
    if (m_playInfo.scale() == 0.0 && m_engine.hasVideoOut() && m_engine.videoSize().width() > 0)
        updatePlayInfoScale();
}

void VRDDualPlaybackController::didFinishPlay()
{
    m_playInfo.setPosition(m_engine.position());
    m_playInfo.setIsPlaying(isPlaying(m_engine));
}

void VRDDualPlaybackController::mediaPlayerTimeChanged()
{
    updateVideoViewsVisibility();
    m_preparingPlayNext = false;
    if (m_view.isLoadingShown()) {
        m_view.hideLoading();
        chooseAudioAuto();
    }
    m_playInfo.setIsPlaying(isPlaying(m_engine));
    // The picture size may arrive after the start step; the scale is shown once it does.
    if (m_playInfo.scale() == 0.0)
        updatePlayInfoScale();
    if (m_moving) {
        m_timeChangeCounter = -1;
        if (m_movingPosition > 0)
            m_playInfo.setPosition(m_movingPosition);
    } else {
        m_timeChangeCounter = (m_timeChangeCounter + 1) % 3;
        if (m_timeChangeCounter == 0)
            m_playInfo.setPosition(m_engine.position());
    }
}

void VRDDualPlaybackController::engineFailed(VRDMediaEngine *, const QString &filePath, const QString &message)
{
    qInfo("playback of %s failed: %s", qUtf8Printable(filePath), qUtf8Printable(message));
    if (filePath.isEmpty())
        return;
    if (filePath != m_engine.media(View::Main) && filePath != m_engine.media(View::Sub)) {
        // The twin was dropped; the chosen recording plays on alone.
        setLogos();
        updateTwinControlsVisibility();
        reportFailure(filePath, message);
        return;
    }
    if (m_engine.state() != State::Error && !m_waitingForPlayStart)
        return;
    giveUpPendingStart();
    reportFailure(filePath, message);
}

void VRDDualPlaybackController::pendingStartTimedOut()
{
    if (!m_waitingForPlayStart)
        return;
    const QString path = m_engine.media(View::Main);
    giveUpPendingStart();
    reportFailure(path, TKLocalizedString("msg.play_timeout"));
}

void VRDDualPlaybackController::giveUpPendingStart()
{
    m_waitingForPlayStart = false;
    m_pendingStartTimer.stop();
    m_view.hideLoading();
    m_playInfo.setIsPlaying(isPlaying(m_engine));
}

void VRDDualPlaybackController::reportFailure(const QString &filePath, const QString &message)
{
    // A recording cut off by a power loss is offered for recovery instead.
    if (VRDRecordingRepairer::isCutOff(QFile::encodeName(filePath).toStdString())) {
        emit cutOffRecordingFailed(filePath);
        return;
    }
    m_view.showAlert(TKLocalizedString("msg.play_fail"), QStringLiteral("%1\n%2").arg(QFileInfo(filePath).fileName(), message));
    emit playFailed(filePath, message);
}

void VRDDualPlaybackController::startTimerPlayNext()
{
    m_playStopTimer.start();
}

void VRDDualPlaybackController::timerPlayNext()
{
    if (m_preparingPlayNext || !isPaused(m_engine) || m_engine.position() < kPlayNextPosition)
        return;
    m_preparingPlayNext = true;
    QTimer::singleShot(kPlayNextDelayMs, this, &VRDDualPlaybackController::playNext);
}

bool VRDDualPlaybackController::playNext()
{
    const auto next = m_playlist.rowAfter(std::max<qint64>(m_mediaIndex, 0));
    return next && playAtIndex(*next);
}

void VRDDualPlaybackController::stopPlay()
{
    ++m_startGeneration;
    m_waitingForPlayStart = false;
    m_swapping = false;
    m_moving = false;
    m_pendingStartTimer.stop();
    m_engine.pause();
    m_engine.setMedia(QString());
    m_playInfo.setIsPlaying(false);
}

void VRDDualPlaybackController::changeAndPlay(qint64 row)
{
    qInfo("selectedRow=%lld,mediaIndex=%lld,isPlaying=%d,count=%lld", row, m_mediaIndex,
          isPlaying(m_engine) ? 1 : 0, static_cast<long long>(m_playlist.count()));
    // After a stop (a new folder) the row of the same number is another recording.
    if (row != m_mediaIndex || !m_engine.hasMedia()) {
        playAtIndex(row);
        return;
    }
    if (isPaused(m_engine))
        m_engine.setPosition(0);
    m_engine.play();
    if (m_engine.hasMedia(View::Sub))
        syncVideoPositionDelay(kAlignAfterStartMs / 1000.0);
}

void VRDDualPlaybackController::clickPlayButton()
{
    if (!m_engine.hasMedia())
        return;
    if (m_playInfo.isPlaying()) {
        if (isPlaying(m_engine))
            m_engine.pause();
        return;
    }
    if (m_engine.position() >= kEndPosition) {
        if (m_view.positionSliderValue() >= kEndPosition) {
            m_engine.setMedia(QString());
            playAtIndex(m_mediaIndex);
        } else {
            m_engine.setTime(static_cast<qint64>(m_view.positionSliderValue() * static_cast<double>(m_engine.length())));
            const quint64 generation = m_startGeneration;
            QTimer::singleShot(kResumeAfterSeekMs, this, [this, generation] {
                if (generation != m_startGeneration)
                    return;
                m_engine.play();
                syncVideoPositionDelay(kAlignAfterSeekMs / 1000.0);
            });
        }
        return;
    }
    m_engine.play();
    if (m_engine.hasMedia(View::Sub))
        syncVideoPositionDelay(kAlignAfterSeekMs / 1000.0);
}

void VRDDualPlaybackController::videoPositionSliderMoved(double value)
{
    qInfo("[%s] position slider moved:%lf <=> %lf", "D ", m_playInfo.position(), value);
    m_playInfo.setIsPlaying(isPlaying(m_engine));
    if (m_moving)
        return;
    if (value >= kEndPosition) {
        if (m_engine.hasMedia())
            m_engine.setTime(m_engine.length());
        return;
    }
    m_moving = true;
    m_movingPosition = value;
    m_engine.setPosition(static_cast<float>(value));
    syncVideoPositionDelay(kAlignAfterSeekMs / 1000.0);
}

void VRDDualPlaybackController::jumpForward()
{
    qInfo("[%s] _player1.time=%s,remainingTime.stringValue=%s", "D ", qPrintable(timeString(m_engine.time())),
          qPrintable(timeString(m_engine.remainingTime())));
    if (m_moving || !m_engine.hasMedia())
        return;
    if (m_engine.remainingTime() / 1000.0 > -kJumpSeconds) {
        m_engine.setTime(m_engine.length());
        return;
    }
    m_moving = true;
    const double lengthSeconds = static_cast<double>(m_engine.length()) / 1000.0;
    m_movingPosition = m_engine.position() + kJumpSeconds / lengthSeconds;
    m_view.setPositionSliderValue(m_movingPosition);
    m_engine.jumpForward(kJumpSeconds);
    syncVideoPositionDelay(kAlignAfterSeekMs / 1000.0);
}

void VRDDualPlaybackController::jumpBackward()
{
    if (m_moving || !m_engine.hasMedia())
        return;
    if (m_engine.time() < kJumpSeconds * 1000) {
        m_engine.setTime(0);
    } else {
        m_moving = true;
        m_movingPosition = m_view.positionSliderValue();
        m_engine.jumpBackward(kJumpSeconds);
        syncVideoPositionDelay(kAlignAfterSeekMs / 1000.0);
    }
    updateAudioUI();
}

void VRDDualPlaybackController::stepForward()
{
    stepFrame(1);
}

void VRDDualPlaybackController::stepBackward()
{
    stepFrame(-1);
}

void VRDDualPlaybackController::stepFrame(int direction)
{
    // Frame by frame only while paused: a step pauses nothing itself.
    if (!m_engine.hasMedia() || !isPaused(m_engine) || m_moving)
        return;
    m_engine.stepFrame(direction);
}

void VRDDualPlaybackController::swapPlayer()
{
    if (!isPlaying(m_engine) || !m_engine.hasMedia(View::Sub) || m_swapping)
        return;
    m_swapping = true;
    m_engine.swapViews();
    setLogos();
    m_moving = true;
    m_movingPosition = m_engine.position();
    m_view.animateSwap();
    m_engine.setMuted(true);
    const quint64 generation = m_startGeneration;
    QTimer::singleShot(kSwapPositionMs, this, [this, generation] {
        if (generation == m_startGeneration)
            m_moving = false;
    });
    QTimer::singleShot(kSwapEndMs, this, [this, generation] {
        if (generation != m_startGeneration)
            return;
        m_swapping = false;
        updateAudioUI();
    });
}

void VRDDualPlaybackController::increaseSpeed()
{
    const double speed = m_playInfo.speed() + 1.0;
    if (speed > kMaxSpeed)
        return;
    m_engine.setRate(static_cast<float>(speed));
    m_playInfo.setSpeed(speed);
}

void VRDDualPlaybackController::decreaseSpeed()
{
    if (m_playInfo.speed() <= kMinSpeed)
        return;
    const double speed = m_playInfo.speed() - 1.0;
    m_engine.setRate(static_cast<float>(speed));
    m_playInfo.setSpeed(speed);
}

void VRDDualPlaybackController::setVolume(int volume)
{
    m_volume = volume;
    emit volumeChanged(volume);
}

void VRDDualPlaybackController::volumeSliderMoved(int value)
{
    setVolume(value);
}

void VRDDualPlaybackController::volumeUp()
{
    setVolume(std::min(m_volume + kVolumeStep, VRDMediaEngine::kMaxVolume));
}

void VRDDualPlaybackController::volumeDown()
{
    setVolume(std::max(m_volume - kVolumeStep, VRDMediaEngine::kMinVolume));
}

void VRDDualPlaybackController::chooseAudioAuto()
{
    m_playInfo.setAudioMediaDirection(m_engine.hasMedia() ? VRDMediaDirectionOfPath(m_engine.media().toStdString())
                                                          : AudioNone);
}

void VRDDualPlaybackController::toggleAudioChoice()
{
    m_playInfo.setAudioMediaDirection(m_view.isAudioToggleOn() ? AudioRear : AudioFront);
}

void VRDDualPlaybackController::updateAudioUI()
{
    const int direction = m_playInfo.audioMediaDirection();
    std::optional<View> heard;
    if (direction == AudioFront || direction == AudioRear) {
        const bool rear = direction == AudioRear;
        m_view.showAudioChoice(rear);
        const auto matches = [this, rear](View view) {
            const std::string path = m_engine.media(view).toStdString();
            return rear ? VRDIsRearMediaPath(path) : VRDIsFrontMediaPath(path);
        };
        if (matches(View::Main))
            heard = View::Main;
        else if (matches(View::Sub))
            heard = View::Sub;
    } else {
        m_view.setAudioToggleVisible(false);
    }
    // While a swap runs, the sound stays off until its last step chooses again.
    if (!m_swapping) {
        m_engine.setHeardView(heard);
        m_engine.setMuted(!heard);
        if (heard)
            m_engine.setVolume(m_volume);
    }
    m_view.setVolumeSlider(m_volume);
}

void VRDDualPlaybackController::updatePlayInfoScale()
{
    if (!reportsPlaying(m_engine) || !m_engine.hasVideoOut())
        return;
    m_playInfo.setScale(static_cast<double>(m_view.mainVideoHeight()) / m_engine.videoSize().height());
}

void VRDDualPlaybackController::setVideoScaleIndex(int index)
{
    QSize size = m_view.windowSize()
        + QSize(static_cast<int>(index * kWindowSizeStep * kMinWindowSize.width()),
                static_cast<int>(index * kWindowSizeStep * kMinWindowSize.height()));
    if (index == 1) {
        if (m_view.isFullScreen())
            return;
        const QSize screen = m_view.screenSize();
        if (!screen.isEmpty()
            && (size.width() > screen.width() || size.height() > screen.height() - kScreenHeightReserve)) {
            m_view.enterFullscreen();
            return;
        }
    } else if (m_view.isFullScreen()) {
        m_view.leaveFullscreen();
        return;
    }
    if (size.width() < kMinWindowSize.width() || size.height() < kMinWindowSize.height())
        size = kMinWindowSize;
    m_view.resizeWindow(size);
}

void VRDDualPlaybackController::sizeUp()
{
    if (isPlaying(m_engine))
        setVideoScaleIndex(1);
}

void VRDDualPlaybackController::sizeDown()
{
    if (isPlaying(m_engine))
        setVideoScaleIndex(-1);
}
