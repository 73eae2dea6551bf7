#include "viewer/VRDDualPlaybackController.h"

#include "blackbox/VRDBlackBoxData.h"
#include "media/VRDMediaPathDirection.h"
#include "player/VRDMediaEngine.h"
#include "repair/VRDRecordingRepairer.h"
#include "ui_VRDMainWindow.h"
#include "viewer/VRDAppDelegate.h"
#include "viewer/VRDLoadingController.h"
#include "viewer/VRDPlayInfo.h"
#include "viewer/VRDSensorDisplay.h"
#include "viewer/VRDWindowLayout.h"
#include "widgets/TKImage.h"
#include "widgets/TKInterfaceHelpers.h"
#include "widgets/TKLocalization.h"

#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QScreen>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>

namespace {

using State = VRDMediaEngine::State;

constexpr int kPositionSliderSteps = 1000;
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

VRDDualPlaybackController::VRDDualPlaybackController(VRDAppDelegate &app, VRDMediaEngine &player1,
                                                     VRDMediaEngine &player2,
                                                     VRDSensorDisplay &sensorDisplay, QObject *parent)
    : QObject(parent),
      m_app(app),
      m_player1(player1),
      m_player2(player2),
      m_sensorDisplay(sensorDisplay),
      m_engineSync(player1, player2)
{
    for (VRDMediaEngine *engine : {&m_player1, &m_player2}) {
        connect(engine, &VRDMediaEngine::stateChanged, this, &VRDDualPlaybackController::mediaPlayerStateChanged);
        connect(engine, &VRDMediaEngine::timeChanged, this, &VRDDualPlaybackController::mediaPlayerTimeChanged);
        connect(engine, &VRDMediaEngine::errorOccurred, this, &VRDDualPlaybackController::engineFailed);
    }
    m_playStopTimer.setInterval(kPlayNextCheckMs);
    connect(&m_playStopTimer, &QTimer::timeout, this, &VRDDualPlaybackController::timerPlayNext);
    m_pendingStartTimer.setSingleShot(true);
    m_pendingStartTimer.setInterval(kDefaultPendingStartTimeoutMs);
    connect(&m_pendingStartTimer, &QTimer::timeout, this, &VRDDualPlaybackController::pendingStartTimedOut);
    connect(&m_app.playInfo(), &VRDPlayInfo::audioMediaDirectionChanged, this,
            &VRDDualPlaybackController::updateAudioUI);
    connect(&m_app, &VRDAppDelegate::volumeChanged, this, &VRDDualPlaybackController::updateAudioUI);
    m_app.ui().audioToggleButton->setCheckable(true);
}

VRDDualPlaybackController::~VRDDualPlaybackController() = default;

bool VRDDualPlaybackController::isPlaying(const VRDMediaEngine &engine)
{
    return reportsPlaying(engine) && (engine.length() <= 0 || engine.remainingTime() < 0);
}

bool VRDDualPlaybackController::playAtIndex(qint64 row)
{
    const qint64 count = static_cast<qint64>(m_app.mediaList().count());
    if (count == 0 || m_waitingForPlayStart)
        return false;
    row = std::clamp<qint64>(row, 0, count - 1);
    m_waitingForPlayStart = true;
    const quint64 generation = ++m_startGeneration;
    m_engineSync.setHeld(true);
    for (VRDMediaEngine *engine : {&m_player1, &m_player2}) {
        engine->stop();
        engine->setMedia(QString());
    }
    m_mediaIndex = row;
    QTableView &table = *m_app.ui().mediaListTableView;
    if (table.model() != nullptr && table.selectionModel() != nullptr) {
        const QModelIndex index = table.model()->index(static_cast<int>(row), 0);
        table.selectionModel()->setCurrentIndex(
            index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    m_preparingPlayNext = false;
    startTimerPlayNext();
    updateVideoUI();
    m_app.loadingController().showLoading(QStringLiteral("Loading..."));

    const QString frontPath = VRDIsRearMediaPath(m_player1.media().toStdString()) && m_player2.hasMedia()
        ? m_player2.media()
        : m_player1.media();
    auto *watcher = new QFutureWatcher<std::shared_ptr<const VRDBlackBoxSnapshot>>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, generation] {
        watcher->deleteLater();
        startPlayback(generation, watcher->result());
    });
    watcher->setFuture(QtConcurrent::run(extractSensorData, frontPath.toStdString()));
    return true;
}

void VRDDualPlaybackController::startPlayback(quint64 generation,
                                              std::shared_ptr<const VRDBlackBoxSnapshot> snapshot)
{
    if (generation != m_startGeneration)
        return;
    m_app.ui().graphView->setGraphData(GraphView::Samples(snapshot, &snapshot->GSensors));
    m_sensorDisplay.setSnapshot(snapshot);
    initMediaControlView();
    m_engineSync.setHeld(false);
    m_pendingStartTimer.start();
    m_player1.play();
    if (m_player2.hasMedia())
        m_player2.play();
}

void VRDDualPlaybackController::updateVideoUI()
{
    const auto media = m_app.mediaList().mediaAtIndex(static_cast<std::size_t>(std::max<qint64>(m_mediaIndex, 0)));
    if (!media)
        return;
    const auto pair = m_app.mediaList().findMediaPairWithFileName(media->mediaName());
    m_player1.setMedia(QString::fromStdString(media->path()));
    std::shared_ptr<const VRDMedia> twin;
    if (pair)
        twin = media->isRearMedia() ? pair->frontMedia : pair->rearMedia;
    if (twin && twin != media) {
        m_player2.setMedia(QString::fromStdString(twin->path()));
    } else {
        m_player2.stop();
        m_player2.setMedia(QString());
    }
    setLogos();
    updateTwinControlsVisibility();
}

void VRDDualPlaybackController::setLogos()
{
    const bool rearInMain = VRDIsRearMediaPath(m_player1.media().toStdString());
    const bool frontInSub = m_player2.hasMedia() ? VRDIsFrontMediaPath(m_player2.media().toStdString()) : rearInMain;
    Ui::VRDMainWindow &ui = m_app.ui();
    ui.player1BackgroundView->setLogoImage(TKImage::named(rearInMain ? "v1_rear_logo" : "v1_front_logo"));
    ui.player2BackgroundView->setLogoImage(TKImage::named(frontInSub ? "v2_front_logo" : "v2_rear_logo"));
}

void VRDDualPlaybackController::updateTwinControlsVisibility()
{
    const bool twin = m_player2.hasMedia();
    m_app.ui().subVideoContainerView->setVisible(twin && (reportsPlaying(m_player2) || isPaused(m_player2)));
    m_app.ui().audioToggleButton->setVisible(twin);
}

void VRDDualPlaybackController::initMediaControlView()
{
    m_waitingForPlayStart = true;
    m_timeChangeCounter = -1;
    setPositionSliderValue(0.0);
    setVideoScaleIndex(0);
    m_app.windowLayout().updateSideViewButton();
    m_app.playInfo().setSpeed(1.0);
    m_player1.setRate(1.0f);
    m_player2.setRate(1.0f);
    m_app.playInfo().setPosition(0.0);
    m_sensorDisplay.resetFields();
}

void VRDDualPlaybackController::syncVideoPositionDelay(double seconds)
{
    if (!m_player1.hasMedia() || !m_player2.hasMedia()) {
        m_moving = false;
        return;
    }
    m_engineSync.setHeld(true);
    const quint64 generation = m_startGeneration;
    QTimer::singleShot(static_cast<int>(seconds * 1000), this, [this, generation] {
        if (generation != m_startGeneration)
            return;
        m_moving = false;
        // Parks player2 ahead and lets it go when player1 gets there, so the
        // two meet on the same frame instead of player2 arriving a seek late.
        m_engineSync.setHeld(m_swapping);
        if (!m_swapping)
            m_engineSync.alignNow();
    });
}

void VRDDualPlaybackController::updateVideoViewsVisibility()
{
    m_app.ui().videoContainerView->setVisible(reportsPlaying(m_player1) || isPaused(m_player1));
    m_app.ui().subVideoContainerView->setVisible(m_player2.hasMedia()
                                                 && (reportsPlaying(m_player2) || isPaused(m_player2)));
}

void VRDDualPlaybackController::mediaPlayerStateChanged(VRDMediaEngine *)
{
    const bool p1 = reportsPlaying(m_player1);
    const bool p2 = reportsPlaying(m_player2);
    updateVideoViewsVisibility();
    if (m_player1.hasMedia() && m_player2.hasMedia()) {
        if (isPaused(m_player1) && isPaused(m_player2))
            didFinishPlay();
        else if (p1 && p2)
            startStep();
    } else if (m_player1.hasMedia()) {
        if (isPaused(m_player1))
            didFinishPlay();
        else if (p1)
            startStep();
    }
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
    VRDPlayInfo &playInfo = m_app.playInfo();
    playInfo.setSpeed(m_player1.rate());
    playInfo.setIsPlaying(isPlaying(m_player1));
    chooseAudioAuto();
    if (playInfo.scale() == 0.0 && m_player1.hasVideoOut() && m_player1.videoSize().width() > 0)
        updatePlayInfoScale();
}

void VRDDualPlaybackController::didFinishPlay()
{
    m_app.playInfo().setPosition(m_player1.position());
    m_app.playInfo().setIsPlaying(isPlaying(m_player1));
}

void VRDDualPlaybackController::mediaPlayerTimeChanged(VRDMediaEngine *engine)
{
    updateVideoViewsVisibility();
    m_preparingPlayNext = false;
    if (!m_app.loadingController().stopVideoLoadingView()) {
        m_app.loadingController().hideLoading();
        chooseAudioAuto();
    }
    VRDPlayInfo &playInfo = m_app.playInfo();
    playInfo.setIsPlaying(isPlaying(m_player1));
    // The picture size may arrive after the start step; the scale is shown once it does.
    if (playInfo.scale() == 0.0 && engine == &m_player1)
        updatePlayInfoScale();
    if (m_moving) {
        m_timeChangeCounter = -1;
        if (m_movingPosition > 0)
            playInfo.setPosition(m_movingPosition);
    } else if (engine == &m_player1) {
        m_timeChangeCounter = (m_timeChangeCounter + 1) % 3;
        if (m_timeChangeCounter == 0)
            playInfo.setPosition(m_player1.position());
    }
}

void VRDDualPlaybackController::engineFailed(VRDMediaEngine *engine, const QString &failedPath,
                                             const QString &message)
{
    // A copy: the engine's own path, which may be passed here, is cleared below.
    const QString filePath = failedPath;
    qInfo("playback of %s failed: %s", qUtf8Printable(filePath), qUtf8Printable(message));
    const bool failedToPlay = engine->state() == State::Error || m_waitingForPlayStart;
    if (!failedToPlay || filePath.isEmpty())
        return;
    if (engine == &m_player2 && m_player1.hasMedia()) {
        // The twin is lost; the chosen recording plays on alone.
        m_player2.stop();
        m_player2.setMedia(QString());
        updateTwinControlsVisibility();
        if (m_waitingForPlayStart && reportsPlaying(m_player1))
            startStep();
    } else {
        giveUpPendingStart();
    }
    reportFailure(filePath, message);
}

void VRDDualPlaybackController::pendingStartTimedOut()
{
    if (!m_waitingForPlayStart)
        return;
    const VRDMediaEngine &stuck = reportsPlaying(m_player1) ? m_player2 : m_player1;
    const QString path = stuck.media();
    giveUpPendingStart();
    reportFailure(path, TKLocalizedString("msg.play_timeout"));
}

void VRDDualPlaybackController::giveUpPendingStart()
{
    m_waitingForPlayStart = false;
    m_pendingStartTimer.stop();
    m_app.loadingController().hideLoading();
    m_app.playInfo().setIsPlaying(isPlaying(m_player1));
}

void VRDDualPlaybackController::reportFailure(const QString &filePath, const QString &message)
{
    if (VRDRecordingRepairer::isCutOff(QFile::encodeName(filePath).toStdString())) {
        emit cutOffRecordingFailed(filePath);
        return;
    }
    TKShowAlert(&m_app.window(), TKLocalizedString("msg.play_fail"),
                QStringLiteral("%1\n%2").arg(QFileInfo(filePath).fileName(), message));
    emit playFailed(filePath, message);
}

void VRDDualPlaybackController::startTimerPlayNext()
{
    m_playStopTimer.start();
}

void VRDDualPlaybackController::timerPlayNext()
{
    if (m_preparingPlayNext || !isPaused(m_player1) || m_player1.position() < kPlayNextPosition)
        return;
    m_preparingPlayNext = true;
    QTimer::singleShot(kPlayNextDelayMs, this, &VRDDualPlaybackController::playNext);
}

bool VRDDualPlaybackController::playNext()
{
    const auto media = m_app.mediaList().mediaAtIndex(static_cast<std::size_t>(std::max<qint64>(m_mediaIndex, 0)));
    if (!media)
        return false;
    const auto pair = m_app.mediaList().findMediaPairWithFileName(media->mediaName());
    const qint64 step = pair && pair->frontMedia && pair->rearMedia ? 2 : 1;
    if (m_mediaIndex + step >= static_cast<qint64>(m_app.mediaList().count()))
        return false;
    return playAtIndex(m_mediaIndex + step);
}

void VRDDualPlaybackController::stopPlay()
{
    ++m_startGeneration;
    m_waitingForPlayStart = false;
    m_pendingStartTimer.stop();
    m_engineSync.setHeld(true);
    for (VRDMediaEngine *engine : {&m_player1, &m_player2}) {
        engine->pause();
        engine->setMedia(QString());
    }
    m_engineSync.setHeld(false);
    m_app.playInfo().setIsPlaying(false);
}

void VRDDualPlaybackController::changeAndPlay(qint64 row)
{
    qInfo("selectedRow=%lld,mediaIndex=%lld,isPlaying=%d,count=%lld", row, m_mediaIndex,
          isPlaying(m_player1) ? 1 : 0, static_cast<long long>(m_app.mediaList().count()));
    // The same row plays again from its file when the engines hold none (a
    // failed start, or the folder read again).
    if (row != m_mediaIndex || !m_player1.hasMedia()) {
        playAtIndex(row);
        return;
    }
    if (isPaused(m_player1)) {
        m_player1.setPosition(0);
        m_player2.setPosition(0);
    }
    m_player1.play();
    if (m_player2.hasMedia()) {
        m_player2.play();
        syncVideoPositionDelay(kAlignAfterStartMs / 1000.0);
    }
}

void VRDDualPlaybackController::clickPlayButton()
{
    if (!m_player1.hasMedia())
        return;
    if (m_app.playInfo().isPlaying()) {
        if (isPlaying(m_player1))
            m_player1.pause();
        if (isPlaying(m_player2) || m_engineSync.isAligning())
            m_player2.pause();
        return;
    }
    if (m_player1.position() >= kEndPosition) {
        if (positionSliderValue() >= kEndPosition) {
            m_player1.setMedia(QString());
            m_player2.setMedia(QString());
            playAtIndex(m_mediaIndex);
        } else {
            const auto time = static_cast<qint64>(positionSliderValue() * static_cast<double>(m_player1.length()));
            m_player1.setTime(time);
            m_player2.setTime(time);
            QTimer::singleShot(kResumeAfterSeekMs, this, [this] {
                playBoth();
                syncVideoPositionDelay(kAlignAfterSeekMs / 1000.0);
            });
        }
        return;
    }
    playBoth();
    if (m_player2.hasMedia())
        syncVideoPositionDelay(kAlignAfterSeekMs / 1000.0);
}

void VRDDualPlaybackController::playBoth()
{
    m_player1.play();
    if (m_player2.hasMedia())
        m_player2.play();
}

void VRDDualPlaybackController::setBothTimesToEnd()
{
    for (VRDMediaEngine *engine : {&m_player1, &m_player2}) {
        if (engine->hasMedia())
            engine->setTime(engine->length());
    }
}

void VRDDualPlaybackController::videoPositionSliderMoved(double value)
{
    qInfo("[%s] position slider moved:%lf <=> %lf", "D ", m_app.playInfo().position(), value);
    m_app.playInfo().setIsPlaying(isPlaying(m_player1));
    if (m_moving)
        return;
    if (value >= kEndPosition) {
        setBothTimesToEnd();
        return;
    }
    m_moving = true;
    m_movingPosition = value;
    m_engineSync.setHeld(true);
    m_player1.setPosition(static_cast<float>(value));
    m_player2.setPosition(static_cast<float>(value));
    syncVideoPositionDelay(kAlignAfterSeekMs / 1000.0);
}

void VRDDualPlaybackController::jumpForward()
{
    qInfo("[%s] _player1.time=%s,remainingTime.stringValue=%s", "D ", qPrintable(timeString(m_player1.time())),
          qPrintable(timeString(m_player1.remainingTime())));
    if (m_moving || !m_player1.hasMedia())
        return;
    if (m_player1.remainingTime() / 1000.0 > -kJumpSeconds) {
        setBothTimesToEnd();
        return;
    }
    m_moving = true;
    const double lengthSeconds = static_cast<double>(m_player1.length()) / 1000.0;
    m_movingPosition = m_player1.position() + kJumpSeconds / lengthSeconds;
    setPositionSliderValue(m_movingPosition);
    m_engineSync.setHeld(true);
    m_player1.jumpForward(kJumpSeconds);
    if (m_player2.hasMedia())
        m_player2.setTime(m_player1.time());
    syncVideoPositionDelay(kAlignAfterSeekMs / 1000.0);
}

void VRDDualPlaybackController::jumpBackward()
{
    if (m_moving || !m_player1.hasMedia())
        return;
    if (m_player1.time() < kJumpSeconds * 1000) {
        m_player1.setTime(0);
        if (m_player2.hasMedia())
            m_player2.setTime(0);
    } else {
        m_moving = true;
        m_movingPosition = positionSliderValue();
        m_engineSync.setHeld(true);
        m_player1.jumpBackward(kJumpSeconds);
        if (m_player2.hasMedia())
            m_player2.setTime(m_player1.time());
        syncVideoPositionDelay(kAlignAfterSeekMs / 1000.0);
    }
    updateAudioUI();
}

void VRDDualPlaybackController::swapPlayer()
{
    if (!isPlaying(m_player1) || !isPlaying(m_player2) || m_swapping)
        return;
    m_swapping = true;
    const float position = m_player1.position();
    m_engineSync.setHeld(true);
    m_player1.pause();
    m_player2.pause();
    const QString media1 = m_player1.media();
    m_player1.setMedia(m_player2.media());
    m_player2.setMedia(media1);
    playBoth();
    setLogos();
    m_moving = true;
    m_movingPosition = position;
    m_swapAnimation.run(m_app.video1View(), m_app.video2View());
    m_player1.setMuted(true);
    m_player2.setMuted(true);
    const quint64 generation = m_startGeneration;
    QTimer::singleShot(kSwapPositionMs, this, [this, generation, position] {
        if (generation != m_startGeneration)
            return;
        m_moving = false;
        m_player1.setPosition(position);
        m_player2.setPosition(position);
        QTimer::singleShot(kAlignAfterSeekMs, this, [this, generation] {
            if (generation != m_startGeneration)
                return;
            m_engineSync.setHeld(false);
            m_engineSync.alignNow(kSwapAlignLeadMs);
        });
    });
    QTimer::singleShot(kSwapEndMs, this, [this, generation] {
        m_swapping = false;
        if (generation == m_startGeneration)
            updateAudioUI();
    });
}

void VRDDualPlaybackController::increaseSpeed()
{
    const double speed = m_app.playInfo().speed() + 1.0;
    if (speed > kMaxSpeed)
        return;
    m_player1.setRate(static_cast<float>(speed));
    m_player2.setRate(static_cast<float>(speed));
    m_app.playInfo().setSpeed(speed);
}

void VRDDualPlaybackController::decreaseSpeed()
{
    if (m_app.playInfo().speed() <= kMinSpeed)
        return;
    const double speed = m_app.playInfo().speed() - 1.0;
    m_player1.setRate(static_cast<float>(speed));
    m_player2.setRate(static_cast<float>(speed));
    m_app.playInfo().setSpeed(speed);
}

void VRDDualPlaybackController::volumeSliderMoved(int value)
{
    m_app.setVolume(value);
}

void VRDDualPlaybackController::volumeUp()
{
    m_app.setVolume(std::min(m_app.volume() + kVolumeStep, VRDMediaEngine::kMaxVolume));
}

void VRDDualPlaybackController::volumeDown()
{
    m_app.setVolume(std::max(m_app.volume() - kVolumeStep, VRDMediaEngine::kMinVolume));
}

void VRDDualPlaybackController::chooseAudioAuto()
{
    m_app.playInfo().setAudioMediaDirection(
        m_player1.hasMedia() ? VRDMediaDirectionOfPath(m_player1.media().toStdString()) : AudioNone);
}

void VRDDualPlaybackController::toggleAudioChoice()
{
    TKImageButton &button = *m_app.ui().audioToggleButton;
    m_app.playInfo().setAudioMediaDirection(button.isChecked() ? AudioRear : AudioFront);
}

void VRDDualPlaybackController::updateAudioUI()
{
    const int direction = m_app.playInfo().audioMediaDirection();
    TKImageButton &button = *m_app.ui().audioToggleButton;
    VRDMediaEngine *heard = nullptr;
    if (direction == AudioFront || direction == AudioRear) {
        const bool rear = direction == AudioRear;
        button.setChecked(rear);
        button.setImageName(rear ? QStringLiteral("icon_audio_rear_n") : QStringLiteral("icon_audio_front_n"));
        const auto matches = [rear](const VRDMediaEngine &engine) {
            const std::string path = engine.media().toStdString();
            return rear ? VRDIsRearMediaPath(path) : VRDIsFrontMediaPath(path);
        };
        if (matches(m_player1))
            heard = &m_player1;
        else if (matches(m_player2))
            heard = &m_player2;
    } else {
        button.setVisible(false);
    }
    for (VRDMediaEngine *engine : {&m_player1, &m_player2}) {
        engine->setMuted(engine != heard);
        if (engine == heard)
            engine->setVolume(m_app.volume());
    }
    m_app.ui().volumeSlider->setValue(m_app.volume());
}

void VRDDualPlaybackController::updatePlayInfoScale()
{
    if (!reportsPlaying(m_player1) || !m_player1.hasVideoOut())
        return;
    m_app.playInfo().setScale(static_cast<double>(m_app.ui().videoContainerView->height())
                              / m_player1.videoSize().height());
}

void VRDDualPlaybackController::setVideoScaleIndex(int index)
{
    CustomWindow &window = m_app.window();
    const QSize minimum = VRDAppDelegate::minWindowSize;
    QSize size = window.size()
        + QSize(static_cast<int>(index * kWindowSizeStep * minimum.width()),
                static_cast<int>(index * kWindowSizeStep * minimum.height()));
    if (index == 1) {
        if (window.isFullScreen())
            return;
        const QScreen *screen = window.screen();
        if (screen != nullptr
            && (size.width() > screen->geometry().width()
                || size.height() > screen->geometry().height() - kScreenHeightReserve)) {
            window.enterFullscreen();
            return;
        }
    } else if (window.isFullScreen()) {
        window.leaveFullscreen();
        return;
    }
    if (size.width() < minimum.width() || size.height() < minimum.height())
        size = minimum;
    window.setGeometry(QRect(window.geometry().topLeft(), size));
}

void VRDDualPlaybackController::sizeUp()
{
    if (isPlaying(m_player1))
        setVideoScaleIndex(1);
}

void VRDDualPlaybackController::sizeDown()
{
    if (isPlaying(m_player1))
        setVideoScaleIndex(-1);
}

double VRDDualPlaybackController::positionSliderValue() const
{
    return static_cast<double>(m_app.ui().videoPositionSlider->value()) / kPositionSliderSteps;
}

void VRDDualPlaybackController::setPositionSliderValue(double value)
{
    const int steps = static_cast<int>(std::clamp(value, 0.0, 1.0) * kPositionSliderSteps);
    m_app.ui().videoPositionSlider->setValue(steps);
    m_app.ui().videoPositionSliderForFullScreen->setValue(steps);
}
