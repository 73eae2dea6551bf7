#include "viewer/VRDAppDelegate.h"

#include "media/VRDPlaylist.h"
#include "player/VRDMpvEngine.h"
#include "player/VRDVideoView.h"
#include "ui_VRDMainWindow.h"
#include "disk/TKVolumeChanges.h"
#include "maps/TKMapSource.h"
#include "viewer/VRDCardBar.h"
#include "viewer/VRDCardWatcher.h"
#include "viewer/VRDClipExportController.h"
#include "viewer/VRDConcurrentMediaWalkRunner.h"
#include "viewer/VRDDualPlaybackController.h"
#include "viewer/VRDGraphSwitch.h"
#include "viewer/VRDLanguagePreference.h"
#include "viewer/VRDLoadingController.h"
#include "viewer/VRDMainWindowPlaybackView.h"
#include "viewer/VRDMediaTableModel.h"
#include "viewer/VRDPlayInfo.h"
#include "viewer/VRDRecoveryController.h"
#include "viewer/VRDPlaybackKeys.h"
#include "viewer/VRDPreferencesDialog.h"
#include "viewer/VRDSensorDisplay.h"
#include "viewer/VRDSpeedGraphView.h"
#include "viewer/VRDStillCapture.h"
#include "viewer/VRDSystemCaptureDialogs.h"
#include "viewer/VRDTimeSetupController.h"
#include "viewer/VRDTripsController.h"
#include "viewer/VRDTripsView.h"
#include "viewer/VRDViewerSettings.h"
#include "viewer/VRDWindowLayout.h"
#include "widgets/TKImage.h"
#include "widgets/TKImageButton.h"
#include "widgets/TKLocalization.h"
#include "widgets/TKMapPage.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QWebEngineView>

namespace {

constexpr int kTableRowHeight = 24;

} // namespace

VRDAppDelegate::VRDAppDelegate(Options options, QObject *parent)
    : QObject(parent),
      m_options(options),
      m_ui(std::make_unique<Ui::VRDMainWindow>()),
      m_walkRunner(std::make_unique<VRDConcurrentMediaWalkRunner>(this)),
      m_mediaList(*m_walkRunner)
{
    m_ui->setupUi(&m_window);
    awakeFromNib();
}

VRDAppDelegate::~VRDAppDelegate()
{
    applicationWillTerminate();
}

void VRDAppDelegate::applicationWillTerminate()
{
    m_playback->stopPlay();
    rememberWindowSize();
}

void VRDAppDelegate::rememberWindowSize()
{
    // A full-screen size is not the window's own.
    if (!m_window.isFullScreen() && !m_window.isMinimized())
        VRDViewerSettings(m_settings).setWindowSize(m_window.size());
}

QWidget *VRDAppDelegate::video1View() const
{
    return m_ui->videoContainerView->videoView();
}

QWidget *VRDAppDelegate::video2View() const
{
    return m_ui->subVideoContainerView->videoView();
}

qint64 VRDAppDelegate::mediaIndex() const
{
    return m_playback->mediaIndex();
}

QRect VRDAppDelegate::minWindowFrame(const QRect &available)
{
    const QPoint origin = available.topLeft()
        + QPoint((available.width() - minWindowSize.width()) / 2,
                 (available.height() - minWindowSize.height()) / 2);
    return {origin, minWindowSize};
}

void VRDAppDelegate::awakeFromNib()
{
    makeEngine();
    m_playInfo = new VRDPlayInfo(this);

    m_ui->_mediaControlBoxForFullScreen->setImagesLeft(TKImage::named("bottom-background"),
                                                       TKImage::named("bottom-background"),
                                                       TKImage::named("bottom-background"));
    m_ui->player1BackgroundView->setBackgroundNineImageName(QStringLiteral("v1"));
    m_ui->player1BackgroundView->setLogoImage(TKImage::named(QStringLiteral("v1_front_logo")));
    m_ui->player2BackgroundView->setBackgroundNineImageName(QStringLiteral("v2"));
    m_ui->player2BackgroundView->setLogoImage(TKImage::named(QStringLiteral("v2_rear_logo")));
    applyImagesAndToolTips();

    initMediaListTableView();
    setupInitialValues();
}

void VRDAppDelegate::makeEngine()
{
    EngineFactory makeEngine = m_options.makeEngine;
    if (!makeEngine) {
        const auto audio = m_options.silentAudio ? VRDMpvEngine::AudioOutput::Null : VRDMpvEngine::AudioOutput::System;
        // Qt's offscreen and minimal platforms cannot show an OpenGL widget (a window
        // holding one crashes when flushed); the engine then plays without pictures.
        const QString platform = QGuiApplication::platformName();
        const bool canShowVideo = platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
        makeEngine = [audio, canShowVideo](VRDScrollableVideoContainerView &main, VRDScrollableVideoContainerView &sub) {
            VRDVideoView *mainView = nullptr;
            VRDVideoView *subView = nullptr;
            if (canShowVideo) {
                mainView = new VRDVideoView;
                subView = new VRDVideoView;
                main.setVideoView(mainView);
                sub.setVideoView(subView);
            }
            return std::make_unique<VRDMpvEngine>(mainView, subView, audio);
        };
    }
    m_engine = makeEngine(*m_ui->videoContainerView, *m_ui->subVideoContainerView);
}

void VRDAppDelegate::applyImagesAndToolTips()
{
    m_ui->appLogoLabel->setPixmap(TKImage::named(QStringLiteral("app_icon"))
                                      .pixmap(QSize(32, 32), m_window.devicePixelRatioF()));
    for (QWidget *widget : m_window.findChildren<QWidget *>()) {
        const QString key = widget->property("toolTipKey").toString();
        if (!key.isEmpty())
            widget->setToolTip(TKLocalizedString(key));
    }
}

void VRDAppDelegate::initMediaListTableView()
{
    m_mediaTableModel = new VRDMediaTableModel(m_mediaList, this);
    QTableView &table = *m_ui->mediaListTableView;
    table.setModel(m_mediaTableModel);
    table.verticalHeader()->hide();
    table.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table.verticalHeader()->setDefaultSectionSize(kTableRowHeight);
    table.setTextElideMode(Qt::ElideMiddle);
    table.setIconSize(QSize(24, 16));
    QHeaderView &header = *table.horizontalHeader();
    header.setHighlightSections(false);
    header.setSectionResizeMode(QHeaderView::Fixed);
    header.setSectionResizeMode(VRDMediaTableModel::File, QHeaderView::Stretch);
    table.setColumnWidth(VRDMediaTableModel::SaveMode, 92);
    table.setColumnWidth(VRDMediaTableModel::Date, 80);
    table.setColumnWidth(VRDMediaTableModel::Time, 62);
}

void VRDAppDelegate::setupInitialValues()
{
    m_mediaList.setDelegate(this);
    bindPositionSliders();
    observePlayInfo();
    connect(&m_window, &CustomWindow::isFullScreenChanged, this, &VRDAppDelegate::layoutWindow);

    connect(m_ui->openFolderButton, &QPushButton::clicked, this,
            &VRDAppDelegate::openMediaDirectoryDialog);
    connect(m_ui->recordButtonImageView, &QPushButton::clicked, this,
            &VRDAppDelegate::clickMediaListViewButton);
    connect(m_ui->informationButtonImageView, &QPushButton::clicked, this,
            &VRDAppDelegate::clickMapViewButton);
    connect(m_ui->tripsButtonImageView, &QPushButton::clicked, this, &VRDAppDelegate::clickTripsViewButton);
    connect(m_ui->closeButton, &QPushButton::clicked, this, &VRDAppDelegate::closeWindow);
    connect(m_ui->settingsButton, &QPushButton::clicked, this, &VRDAppDelegate::showSettingPanel);
    connect(m_ui->timeSetupButton, &QPushButton::clicked, this, &VRDAppDelegate::showTimeSetupPanel);
    connect(m_ui->preferencesButton, &QPushButton::clicked, this, &VRDAppDelegate::showPreferences);
    connect(m_ui->minimizeButton, &QPushButton::clicked, &m_window, &QWidget::showMinimized);
    connect(m_ui->fullScreenButton, &QPushButton::clicked, &m_window, &CustomWindow::toggleFullScreen);
    connect(m_ui->leaveFullScreenButton, &QPushButton::clicked, &m_window,
            &CustomWindow::leaveFullscreen);
    connect(new QShortcut(QKeySequence::Open, &m_window), &QShortcut::activated, this,
            &VRDAppDelegate::openMediaDirectoryDialog);
    connect(new QShortcut(QKeySequence::FullScreen, &m_window), &QShortcut::activated, &m_window,
            &CustomWindow::toggleFullScreen);
    connect(new QShortcut(QKeySequence(Qt::Key_F11), &m_window), &QShortcut::activated, &m_window,
            &CustomWindow::toggleFullScreen);

    m_loadingController = new VRDLoadingController(*m_ui->progressIndicator, this);
    m_windowLayout = std::make_unique<VRDWindowLayout>(*m_ui);
    m_windowLayout->setRightViewMode(VRDWindowLayout::MediaList);
    m_windowLayout->updateSideViewButton();
    m_playInfo->setIsPlaying(false);
    m_ui->videoContainerView->hide();
    m_ui->subVideoContainerView->hide();
    loadMapPage();
    m_tripsController = new VRDTripsController(*m_ui->tripsView, m_mapPage, this);
    m_tripsController->attachToolBar(*m_ui->tripsExportButton, *m_ui->tripsDateEdit);
    m_ui->tripsDateLabel->setText(TKLocalizedString("trips.jump_to_date"));
    connect(m_tripsController, &VRDTripsController::momentRequested, this, &VRDAppDelegate::playMoment);
    connectPlaybackControls();
    m_graphSwitch = new VRDGraphSwitch(*m_ui->graphSwitch, *m_ui->graphStack, m_window, m_settings, this);
    followPlaybackInTrips();
    watchCards();
    layoutWindow();
}

void VRDAppDelegate::watchCards()
{
    m_cardBar = new VRDCardBar(m_ui->_backgroundBox);
    m_ui->backgroundLayout->insertWidget(m_ui->backgroundLayout->indexOf(m_ui->_bodyBox), m_cardBar);
    connect(m_cardBar, &VRDCardBar::openRequested, this, &VRDAppDelegate::openMediaDirectory);
    m_ui->cardGoneLabel->setText(TKLocalizedString("filelist.card_removed"));
    connect(&m_folderWatch, &QFileSystemWatcher::directoryChanged, this, &VRDAppDelegate::folderChanged);
    if (!m_options.diskService)
        return;
    m_cardWatcher = new VRDCardWatcher(m_options.diskService, this);
    connect(m_cardWatcher, &VRDCardWatcher::cardMounted, this, &VRDAppDelegate::cardMounted);
    connect(m_cardWatcher, &VRDCardWatcher::volumeUnmounted, this, &VRDAppDelegate::volumeUnmounted);
}

void VRDAppDelegate::cardMounted(const QString &mountPath, const QString &label)
{
    m_cardBar->offerCard(mountPath, label);
}

void VRDAppDelegate::volumeUnmounted(const QString &mountPath)
{
    if (m_cardBar->offeredFolder() == mountPath)
        m_cardBar->hide();
    const std::string folder = m_mediaList.directoryPath();
    if (!m_cardGone && !folder.empty() && TKPathIsInside(folder, mountPath.toStdString()))
        openFolderVanished();
}

void VRDAppDelegate::folderChanged(const QString &path)
{
    if (!m_cardGone && path == QString::fromStdString(m_mediaList.directoryPath()) && !QFileInfo(path).isDir())
        openFolderVanished();
}

void VRDAppDelegate::openFolderVanished()
{
    qInfo("the open folder is gone: %s", m_mediaList.directoryPath().c_str());
    m_cardGone = true;
    emit stopPlayRequested();
    // A start that was still loading will never see its first frame.
    m_loadingController->hideLoading();
    // Walked again, the vanished folder lists nothing, so no row names a file that is gone.
    m_mediaList.setDirectoryPath(m_mediaList.directoryPath());
    m_cardBar->reportCardGone();
    updateCardGoneLabel();
}

void VRDAppDelegate::updateCardGoneLabel()
{
    m_ui->cardGoneLabel->setVisible(m_cardGone && m_windowLayout->rightViewMode() == VRDWindowLayout::MediaList);
}

VRDPreferencesDialog *VRDAppDelegate::preferencesDialog() const
{
    return m_preferencesDialog.data();
}

bool VRDAppDelegate::openRememberedFolder()
{
    const std::optional<QString> folder = VRDViewerSettings(m_settings).lastFolder();
    if (!folder)
        return false;
    openMediaDirectory(*folder);
    return true;
}

void VRDAppDelegate::showPreferences()
{
    if (m_preferencesDialog) {
        m_preferencesDialog->raise();
        m_preferencesDialog->activateWindow();
        return;
    }
    m_preferencesDialog = new VRDPreferencesDialog(TKMapSource::load(m_settings), &m_window);
    m_preferencesDialog->setAttribute(Qt::WA_DeleteOnClose);
    VRDPreferencesDialog *dialog = m_preferencesDialog;
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        const TKMapSource source = dialog->source();
        source.save(m_settings);
        if (m_mapPage != nullptr)
            m_mapPage->setMapSource(source);
    });
    dialog->open();
}

void VRDAppDelegate::connectPlaybackControls()
{
    Ui::VRDMainWindow &ui = *m_ui;
    m_sensorDisplay = new VRDSensorDisplay({ui.gsensorXField, ui.gsensorYField, ui.gsensorZField, ui.speedField,
                                            ui.hdopField, ui.sateliteField},
                                           this);
    if (m_mapPage != nullptr) {
        connect(m_sensorDisplay, &VRDSensorDisplay::mapScriptRequested, m_mapPage, &TKMapPage::runScript);
        connect(m_sensorDisplay, &VRDSensorDisplay::routeChanged, m_mapPage, &TKMapPage::setRoute);
    }
    connect(m_playInfo, &VRDPlayInfo::positionChanged, m_sensorDisplay, [this](double position) {
        m_sensorDisplay->updateGsensorUIByPlayPositon(position);
        m_sensorDisplay->updateGpsUIByPlayPosition(position);
    });

    m_playlist = std::make_unique<VRDPlaylist>(m_mediaList);
    m_playbackView = std::make_unique<VRDMainWindowPlaybackView>(m_window, ui, *m_loadingController, *m_windowLayout,
                                                                 *m_sensorDisplay);
    m_playback = std::make_unique<VRDDualPlaybackController>(*m_engine, *m_playlist, *m_playInfo, *m_playbackView);
    VRDDualPlaybackController *playback = m_playback.get();
    connect(playback, &VRDDualPlaybackController::volumeChanged, ui.volumeSlider, &QSlider::setValue);
    connect(ui.volumeSlider, &QSlider::sliderMoved, playback, &VRDDualPlaybackController::volumeSliderMoved);
    playback->setVolume(VRDViewerSettings(m_settings).volume(kInitialVolume));
    connect(playback, &VRDDualPlaybackController::volumeChanged, this,
            [this](int volume) { VRDViewerSettings(m_settings).setVolume(volume); });
    connect(this, &VRDAppDelegate::changeAndPlayRequested, playback, &VRDDualPlaybackController::changeAndPlay);
    connect(this, &VRDAppDelegate::stopPlayRequested, playback, &VRDDualPlaybackController::stopPlay);
    m_recovery = new VRDRecoveryController(*this, *ui.recoverAllButton);
    connect(playback, &VRDDualPlaybackController::cutOffRecordingFailed, m_recovery, &VRDRecoveryController::playbackFailed);
    connect(this, &VRDAppDelegate::mediaListReloaded, m_recovery, &VRDRecoveryController::mediaListReloaded);
    const auto onClick = [](QAbstractButton *button, auto *receiver, auto action) {
        connect(button, &QAbstractButton::clicked, receiver, [receiver, action] { (receiver->*action)(); });
    };
    using Controller = VRDDualPlaybackController;
    onClick(ui.playButton, playback, &Controller::clickPlayButton);
    onClick(ui.playButtonForFullScreen, playback, &Controller::clickPlayButton);
    onClick(ui.jumpForwardButton, playback, &Controller::jumpForward);
    onClick(ui.jumpForwardButtonForFullScreen, playback, &Controller::jumpForward);
    onClick(ui.jumpBackwardButton, playback, &Controller::jumpBackward);
    onClick(ui.jumpBackwardButtonForFullScreen, playback, &Controller::jumpBackward);
    onClick(ui.stepBackwardButton, playback, &Controller::stepBackward);
    onClick(ui.stepForwardButton, playback, &Controller::stepForward);
    onClick(ui.swapButton, playback, &Controller::swapPlayer);
    onClick(ui.increaseSpeedButton, playback, &Controller::increaseSpeed);
    onClick(ui.speedTextButton, playback, &Controller::increaseSpeed);
    onClick(ui.decreaseSpeedButton, playback, &Controller::decreaseSpeed);
    onClick(ui.volumeUpButton, playback, &Controller::volumeUp);
    onClick(ui.volumeDownButton, playback, &Controller::volumeDown);
    onClick(ui.audioToggleButton, playback, &Controller::toggleAudioChoice);
    onClick(ui.sizeUpButton, playback, &Controller::sizeUp);
    onClick(ui.sizeTextButton, playback, &Controller::sizeUp);
    onClick(ui.sizeDownButton, playback, &Controller::sizeDown);
    for (QSlider *slider : {ui.videoPositionSlider, ui.videoPositionSliderForFullScreen}) {
        const auto moved = [playback, slider] {
            playback->videoPositionSliderMoved(VRDMainWindowPlaybackView::sliderPosition(slider->sliderPosition()));
        };
        connect(slider, &QSlider::sliderMoved, playback, moved);
        connect(slider, &QSlider::sliderReleased, playback, moved);
        connect(slider, &QSlider::actionTriggered, playback, [slider, moved](int action) {
            if (action != QAbstractSlider::SliderMove)
                QMetaObject::invokeMethod(slider, moved, Qt::QueuedConnection);
        });
    }
    new VRDPlaybackKeys(m_window, ui, *playback, this);

    if (!m_options.captureDialogs)
        m_options.captureDialogs = std::make_shared<VRDSystemCaptureDialogs>();
    m_captureDialogs = m_options.captureDialogs;
    m_stillCapture = std::make_unique<VRDStillCapture>(*m_engine, m_window, *m_captureDialogs);
    m_window.installEventFilter(this);
    connect(ui.captureButton, &QAbstractButton::clicked, m_stillCapture.get(), &VRDStillCapture::captureVideo);
    connect(ui.printButton, &QAbstractButton::clicked, m_stillCapture.get(), &VRDStillCapture::print);
    // Clip marks (keys I and O) on the position slider, export beside it.
    m_clipExport = new VRDClipExportController(m_window, *ui.videoPositionSlider, *m_engine, *m_playInfo);
}

void VRDAppDelegate::bindPositionSliders()
{
    for (QSlider *slider : {m_ui->videoPositionSlider, m_ui->videoPositionSliderForFullScreen}) {
        slider->setRange(0, VRDMainWindowPlaybackView::kPositionSliderSteps);
        connect(slider, &QSlider::sliderMoved, m_playInfo, [this](int value) {
            m_playInfo->setPosition(VRDMainWindowPlaybackView::sliderPosition(value));
        });
    }
    connect(m_playInfo, &VRDPlayInfo::positionChanged, this, [this](double position) {
        const int value = VRDMainWindowPlaybackView::sliderSteps(position);
        for (QSlider *slider : {m_ui->videoPositionSlider, m_ui->videoPositionSliderForFullScreen}) {
            if (!slider->isSliderDown())
                slider->setValue(value);
        }
    });
}

void VRDAppDelegate::observePlayInfo()
{
    connect(m_playInfo, &VRDPlayInfo::speedChanged, this, [this](double speed) {
        m_ui->speedTextButton->setText(QString::asprintf("%.1fx", speed));
    });
    connect(m_playInfo, &VRDPlayInfo::scaleChanged, this, [this](double scale) {
        m_ui->sizeTextButton->setText(QString::asprintf("%.2fx", scale));
    });
    connect(m_playInfo, &VRDPlayInfo::isPlayingChanged, this, [this](bool playing) {
        const QString image = playing ? QStringLiteral("icon_pause_n") : QStringLiteral("icon_play_n");
        // The tooltip names what a click does now, and keeps its key hint.
        const QString was = TKLocalizedString(playing ? "player.play" : "player.pause");
        const QString now = TKLocalizedString(playing ? "player.pause" : "player.play");
        for (TKImageButton *button : {m_ui->playButton, m_ui->playButtonForFullScreen}) {
            button->setImageName(image);
            if (button->toolTip().startsWith(was))
                button->setToolTip(now + button->toolTip().mid(was.size()));
        }
    });
    connect(m_playInfo, &VRDPlayInfo::positionChanged, m_ui->graphView,
            &GraphView::updateTimePosition);
    connect(m_playInfo, &VRDPlayInfo::positionChanged, m_ui->speedGraphView,
            &VRDSpeedGraphView::updateTimePosition);
}

void VRDAppDelegate::loadMapPage()
{
    if (!m_options.loadMapPage)
        return;
    m_mapWebView = new QWebEngineView(m_ui->_mapContainerTopView);
    m_mapWebView->setObjectName(QStringLiteral("mapWebView"));
    m_ui->_mapContainerTopView->layout()->addWidget(m_mapWebView);
    m_mapPage = new TKMapPage(m_mapWebView, this);
}

void VRDAppDelegate::layoutWindow()
{
    m_windowLayout->layoutWindow(m_window.isFullScreen());
}

void VRDAppDelegate::applicationDidFinishLaunching()
{
    QSettings settings;
    VRDLanguagePreference::logAndPreferEnglish(settings);

    // The first run opens at the launch size, later runs at the last one.
    const std::optional<QSize> remembered = VRDViewerSettings(m_settings).windowSize(minWindowSize);
    const QScreen *screen = m_window.screen();
    if (screen != nullptr) {
        const QRect available = screen->availableGeometry();
        QRect frame = minWindowFrame(available);
        if (remembered) {
            // Never larger than the screen, unless the screen is below the minimum anyway.
            frame.setSize(remembered->boundedTo(available.size().expandedTo(minWindowSize)));
            frame.moveCenter(available.center());
        }
        m_window.setGeometry(frame);
    } else {
        m_window.resize(remembered.value_or(minWindowSize));
    }
    m_window.setInitialFrame(m_window.geometry());
    m_playback->resetMediaIndex();
    connect(m_ui->mediaListTableView, &QTableView::doubleClicked, this,
            [this](const QModelIndex &index) { emit changeAndPlayRequested(index.row()); });
}

bool VRDAppDelegate::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_window && event->type() == QEvent::Resize)
        contentResized();
    return QObject::eventFilter(watched, event);
}

void VRDAppDelegate::contentResized()
{
    m_playback->updatePlayInfoScale();
}

int VRDAppDelegate::volume() const
{
    return m_playback->volume();
}

void VRDAppDelegate::setVolume(int volume)
{
    m_playback->setVolume(volume);
}

void VRDAppDelegate::openMediaDirectoryDialog()
{
    const QString folder = QFileDialog::getExistingDirectory(
        &m_window, QString(), QString::fromStdString(m_mediaList.directoryPath()),
        QFileDialog::ShowDirsOnly);
    if (!folder.isEmpty())
        openMediaDirectory(folder);
}

void VRDAppDelegate::openMediaDirectory(const QString &path)
{
    emit stopPlayRequested();
    m_cardGone = false;
    updateCardGoneLabel();
    if (m_cardBar->offeredFolder() == path)
        m_cardBar->hide();
    if (!m_folderWatch.directories().isEmpty())
        m_folderWatch.removePaths(m_folderWatch.directories());
    if (!m_folderWatch.addPath(path))
        qInfo("the folder is not watched for removal: %s", qUtf8Printable(path));
    VRDViewerSettings(m_settings).setLastFolder(path);
    m_mediaList.setDirectoryPath(path.toStdString());
}

void VRDAppDelegate::mediaListChanged(VRDMediaList &)
{
    m_windowLayout->setRightViewMode(VRDWindowLayout::MediaList);
    m_windowLayout->updateSideViewButton();
    m_mediaTableModel->reload();
    m_tripsController->openFolder(QFile::decodeName(QByteArray::fromStdString(m_mediaList.directoryPath())));
    emit mediaListReloaded();
    updateCardGoneLabel();
}

void VRDAppDelegate::clickTripsViewButton()
{
    if (m_windowLayout->setRightViewMode(VRDWindowLayout::Trips))
        m_windowLayout->updateSideViewButton();
}

void VRDAppDelegate::playMoment(const QString &path, double offsetSeconds)
{
    const std::string wanted = QFile::encodeName(path).toStdString();
    for (std::size_t row = 0; row < m_mediaList.count(); ++row) {
        const std::shared_ptr<const VRDMedia> media = m_mediaList.mediaAtIndex(row);
        if (!media || media->path() != wanted)
            continue;
        // One moment asked for at a time: an older wish never moves a later start.
        disconnect(m_pendingMoment);
        const auto seek = [this, offsetSeconds] {
            const qint64 length = m_engine->length();
            if (length > 0 && offsetSeconds > 0)
                m_playback->videoPositionSliderMoved(std::clamp(offsetSeconds * 1000.0 / static_cast<double>(length), 0.0, 0.95));
        };
        // The recording already loaded plays on from the moment; another one
        // is sought once it plays, when the engines know its length.
        if (m_playback->mediaIndex() == static_cast<qint64>(row) && m_engine->hasMedia()) {
            emit changeAndPlayRequested(static_cast<int>(row));
            seek();
            return;
        }
        m_pendingMoment = connect(m_playback.get(), &VRDDualPlaybackController::playbackStarted, this, [this, seek] {
            disconnect(m_pendingMoment);
            seek();
        });
        emit changeAndPlayRequested(static_cast<int>(row));
        return;
    }
}

void VRDAppDelegate::followPlaybackInTrips()
{
    connect(m_playback.get(), &VRDDualPlaybackController::playbackStarted, this, [this](qint64 row) {
        // The drives hold one channel per moment: front where it exists, else rear.
        m_playingChannel.clear();
        const std::shared_ptr<const VRDMedia> media = row >= 0 ? m_mediaList.mediaAtIndex(static_cast<std::size_t>(row)) : nullptr;
        const std::optional<VRDMediaPair> pair = media ? m_mediaList.findMediaPairWithFileName(media->path()) : std::nullopt;
        if (pair) {
            const std::shared_ptr<const VRDMedia> &channel = pair->frontMedia ? pair->frontMedia : pair->rearMedia;
            m_playingChannel = QFile::decodeName(QByteArray::fromStdString(channel->path()));
        }
        m_tripsController->showPlaying(m_playingChannel, 0.0);
    });
    connect(m_playInfo, &VRDPlayInfo::positionChanged, this, [this](double position) {
        const qint64 length = m_engine->length();
        if (!m_playingChannel.isEmpty() && length > 0)
            m_tripsController->showPlaying(m_playingChannel, position * static_cast<double>(length) / 1000.0);
    });
    connect(this, &VRDAppDelegate::stopPlayRequested, this, [this] {
        disconnect(m_pendingMoment);
        m_playingChannel.clear();
        m_tripsController->showPlaying({}, 0.0);
    });
}

void VRDAppDelegate::clickMediaListViewButton()
{
    if (m_windowLayout->setRightViewMode(VRDWindowLayout::MediaList))
        m_windowLayout->updateSideViewButton();
    updateCardGoneLabel();
}

void VRDAppDelegate::clickMapViewButton()
{
    if (m_windowLayout->setRightViewMode(VRDWindowLayout::Map))
        m_windowLayout->updateSideViewButton();
    updateCardGoneLabel();
}

void VRDAppDelegate::showDialog(DialogKind kind, const DialogFactory &make)
{
    if (m_lastDialogController && m_lastDialogKind == kind) {
        m_lastDialogController->raise();
        m_lastDialogController->activateWindow();
        return;
    }
    if (!make)
        return;
    QDialog *controller = make(&m_window);
    controller->setAttribute(Qt::WA_DeleteOnClose);
    m_lastDialogController = controller;
    m_lastDialogKind = kind;
    controller->show();
}

void VRDAppDelegate::showSettingPanel()
{
    showDialog(DialogKind::Settings, m_options.makeSettingsWindow);
}

void VRDAppDelegate::showTimeSetupPanel()
{
    showDialog(DialogKind::TimeSetup, [](QWidget *parent) { return new VRDTimeSetupController(parent); });
}

void VRDAppDelegate::closeWindow()
{
    m_window.close();
}
