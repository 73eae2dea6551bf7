#include "settings/VRDSettingController.h"

#include "config/VRDFileData.h"
#include "disk/TKDiskService.h"
#include "disk/TKUDisks2Service.h"
#include "disk/TKUSBDiskDiscovery.h"
#include "settings/VRDFormatWindowController.h"
#include "settings/VRDSettingControllerDelegate.h"
#include "settings/VRDSettingTabFactory.h"
#include "ui_VRDSettingController.h"
#include "ui_VRDSettingLoadingPanel.h"
#include "widgets/PMProgressIndicator.h"
#include "widgets/TKInterfaceHelpers.h"
#include "widgets/TKLocalization.h"
#include "widgets/TKSegmentedControl.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <array>
#include <filesystem>

namespace {

const QString kConfigFileName = QStringLiteral("config.bin");
const QString kDriveInfoFileName = QStringLiteral("DrvInfo/tovik_000.drv");
const std::string kCardVolumeName = "TOVIK";
// Disk utilities of the common desktops, in order of preference.
constexpr std::array kDiskUtilities{"gnome-disks", "partitionmanager"};

QString joinPath(const std::string &folder, const QString &name)
{
    return QDir(QString::fromStdString(folder)).filePath(name);
}

// Shown when no card is found; the user may create folders and does not
// see hidden files (QFileDialog's defaults).
QString runSaveDialog(QWidget *window, const QString &proposedPath)
{
    QFileDialog dialog(window, QStringLiteral("Save Settings"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDirectory(QFileInfo(proposedPath).absolutePath());
    dialog.selectFile(QFileInfo(proposedPath).fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

VRDSettingController::VRDSettingController(QWidget *parent)
    : VRDSettingController(Environment{}, parent)
{
}

VRDSettingController::VRDSettingController(Environment environment, QWidget *parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::VRDSettingController>())
    , m_progressUi(std::make_unique<Ui::VRDSettingLoadingPanel>())
    , m_environment(std::move(environment))
{
    if (!m_environment.diskService)
        m_environment.diskService = std::make_shared<TKUDisks2Service>();
    if (!m_environment.tabFactory)
        m_environment.tabFactory = std::make_shared<VRDSettingTabFactory>();
    if (!m_environment.chooseSavePath)
        m_environment.chooseSavePath = runSaveDialog;

    m_ui->setupUi(this);
    m_progressPanel = new QDialog(this);
    m_progressUi->setupUi(m_progressPanel);
    m_progressPanel->setWindowModality(Qt::WindowModal);
    m_progressUi->progressIndicator->setDrawDockProgress(false);

    m_loadingTimer.setSingleShot(true);
    m_loadingTimer.setInterval(static_cast<int>(kLoadingTickSeconds * 1000));
    connect(&m_loadingTimer, &QTimer::timeout, this, [this] { updateLoadingWindow(kLoadingLimitSeconds); });
    connect(&m_loadWatcher, &QFutureWatcherBase::finished, this, [this] { finishLoading(m_loadWatcher.result()); });

    connect(m_ui->functionSegmentedControl, &TKSegmentedControl::selectionChanged, this,
            &VRDSettingController::changeViewController);
    connect(m_ui->saveButton, &QPushButton::clicked, this, &VRDSettingController::onSave);
    connect(m_ui->resetButton, &QPushButton::clicked, this, &VRDSettingController::onSaveDefaultSetting);
    connect(m_ui->sdcardFormatButton, &QPushButton::clicked, this, &VRDSettingController::onFormat);
    connect(m_ui->diskUtilButton, &QPushButton::clicked, this, &VRDSettingController::onDiskUtil);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &VRDSettingController::onCloseCmd);
    awakeFromNib();
}

VRDSettingController::~VRDSettingController()
{
    // Tabs hold the record's address: they go before the record does.
    delete m_targetController.data();
    delete m_driveInfoController.data();
}

void VRDSettingController::awakeFromNib()
{
    m_lastSelectedTabIndex = -1;
    QStringList labels;
    for (int index = 0; index < VRDSettingTabFactory::kTabCount; ++index)
        labels << TKLocalizedString(VRDSettingTabFactory::segmentLabelKey(index));
    TKSetSegmentLabels(m_ui->functionSegmentedControl, labels);
    m_ui->sdcardFormatButton->setText(TKLocalizedString("setting.sdcardformat"));
    m_ui->diskUtilButton->setText(TKLocalizedString("setting.disk_utility"));
    m_ui->resetButton->setText(TKLocalizedString("setting.initialize"));
    m_ui->saveButton->setText(TKLocalizedString("save"));
    m_ui->cancelButton->setText(TKLocalizedString("cancel"));
    setWindowTitle(TKLocalizedString("setting.window_title"));
}

void VRDSettingController::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_windowLoaded) {
        m_windowLoaded = true;
        windowDidLoad();
    }
}

void VRDSettingController::windowDidLoad()
{
    centerInScreen();
    onInitDIalog();
    changeViewController(0);
}

void VRDSettingController::centerInScreen()
{
    const QScreen *screen = this->screen();
    if (screen == nullptr)
        return;
    const QRect visible = screen->availableGeometry();
    const QSize frame = frameGeometry().size();
    move(visible.topLeft() + QPoint((visible.width() - frame.width()) / 2, (visible.height() - frame.height()) / 2));
}

void VRDSettingController::onInitDIalog()
{
    VRDResetFileData(m_FileData);
    loadSettingFile();
}

// --- Card and file --------------------------------------------------------

std::optional<TKUSBDiskEntity> VRDSettingController::findDeviceDisk()
{
    return TKFindDeviceDisk(TKUSBDiskEntities(m_environment.diskService->listVolumes().volumes));
}

void VRDSettingController::findUSBVolume()
{
    const TKVolumeListing listing = m_environment.diskService->listVolumes();
    if (TKMountedUSBVolumeURLs(listing.volumes).empty()) {
        qInfo("no removable devices");
        return;
    }
    m_SettingFilePath.clear();
    m_selectedUSBDisk.reset();

    std::optional<TKUSBDiskEntity> disk = TKFindDeviceDisk(TKUSBDiskEntities(listing.volumes));
    if (!disk)
        return;
    const QFileInfo file(joinPath(disk->mountedURL(), kConfigFileName));
    const qint64 size = file.isFile() ? file.size() : 0;
    qInfo("sizeof(FILEDATA) : %ld", static_cast<long>(kFileDataSize));
    if (size != static_cast<qint64>(kFileDataSize))
        return;

    if (disk->volumeName() != kCardVolumeName) {
        renameVolumeToTovik(*disk);
        // The label is the only change, so the same volume comes back.
        if (std::optional<TKUSBDiskEntity> renamed = findDeviceDisk())
            disk = std::move(renamed);
    }
    m_SettingFilePath = joinPath(disk->mountedURL(), kConfigFileName);
    m_selectedUSBDisk = std::move(disk);
}

void VRDSettingController::renameVolumeToTovik(const TKUSBDiskEntity &disk)
{
    const TKVolumeListing listing = m_environment.diskService->listVolumes();
    const auto volume = std::find_if(listing.volumes.begin(), listing.volumes.end(),
                                     [&disk](const TKVolumeDescription &v) { return v.key == disk.key(); });
    if (volume == listing.volumes.end()) {
        qInfo("error=%s", "the volume is no longer listed");
        return;
    }
    if (const std::optional<std::string> problem = m_environment.diskService->setLabel(*volume, kCardVolumeName))
        qInfo("error=%s", problem->c_str());
}

bool VRDSettingController::loadSettingFile()
{
    if (m_environment.settingFilePath.isEmpty())
        findUSBVolume();
    else
        m_SettingFilePath = m_environment.settingFilePath;
    if (m_SettingFilePath.isEmpty() || !QFileInfo(m_SettingFilePath).isFile())
        return false;

    showLoading(QStringLiteral("Loading..."));
    // The read fills a copy: the tabs show m_FileData meanwhile, and the
    // copy replaces it on the main thread when the read is over.
    const std::string path = m_SettingFilePath.toStdString();
    const FILEDATA start = m_FileData;
    m_loadPending = true;
    m_loadWatcher.setFuture(QtConcurrent::run([path, start] {
        LoadResult result{start, false};
        std::error_code error;
        const auto size = std::filesystem::file_size(path, error);
        result.accepted = !error && size == kFileDataSize && VRDReadFileData(path, result.record);
        return result;
    }));
    return true;
}

bool VRDSettingController::isLoading() const
{
    return m_loadPending;
}

void VRDSettingController::finishLoading(const LoadResult &result)
{
    m_loadPending = false;
    hideLoading();
    m_strVersion = QStringLiteral(TOVIK_VERSION);
    const QString title = TKLocalizedString("setting.window_title");
    if (result.accepted) {
        m_FileData = result.record;
        setWindowTitle(QStringLiteral("%1[Ver %2] : %3").arg(title, m_strVersion, m_SettingFilePath));
    } else {
        // The rejected file leaves nothing behind: the record stays the
        // defaults it held before the read.
        VRDResetFileData(m_FileData);
        m_SettingFilePath.clear();
        setWindowTitle(QStringLiteral("%1[Ver %2]").arg(title, m_strVersion));
        m_FileData.time_gmt = VRDTimeZoneIndex();
    }
    if (VRDSettingControllerDelegate *tab = currentTab())
        tab->setFileData(&m_FileData);
    emit settingFileLoaded();
}

// --- Tabs -----------------------------------------------------------------

VRDSettingControllerDelegate *VRDSettingController::currentTab() const
{
    return dynamic_cast<VRDSettingControllerDelegate *>(m_targetController.data());
}

void VRDSettingController::changeViewController(int index)
{
    if (index == m_lastSelectedTabIndex || index < 0 || index >= VRDSettingTabFactory::kTabCount)
        return;
    if (QWidget *oldTab = m_targetController) {
        if (VRDSettingControllerDelegate *tab = currentTab()) {
            const QString message = tab->validateUserInput();
            if (!message.isNull()) {
                m_ui->functionSegmentedControl->setSelectedSegment(m_lastSelectedTabIndex);
                TKShowAlert(this, QStringLiteral("TOVIK"), message);
                return;
            }
            if (!tab->populate()) {
                m_ui->functionSegmentedControl->setSelectedSegment(m_lastSelectedTabIndex);
                return;
            }
            tab->onHide();
        }
        m_ui->targetLayout->removeWidget(oldTab);
        oldTab->hide();
        if (oldTab != m_driveInfoController)
            oldTab->deleteLater();
        m_targetController = nullptr;
    }

    QWidget *newTab = index == VRDSettingTabFactory::kDriveInfoTabIndex
        ? createDriveInfoController()
        : m_environment.tabFactory->createTab(index, &m_FileData);
    m_lastSelectedTabIndex = index;
    m_ui->functionSegmentedControl->setSelectedSegment(index);
    if (newTab == nullptr)
        return;
    newTab->setWindowTitle(TKLocalizedString(VRDSettingTabFactory::titleKey(index)));
    m_targetController = newTab;
    m_ui->targetLayout->addWidget(newTab);
    newTab->show();
    if (VRDSettingControllerDelegate *tab = currentTab()) {
        tab->setFileData(&m_FileData);
        tab->setMainController(this);
    }
}

QWidget *VRDSettingController::createDriveInfoController()
{
    if (m_driveInfoController == nullptr) {
        QString logPath;
        if (m_selectedUSBDisk)
            logPath = joinPath(m_selectedUSBDisk->mountedURL(), kDriveInfoFileName);
        else if (!m_environment.settingFilePath.isEmpty())
            logPath = QFileInfo(m_environment.settingFilePath).absoluteDir().filePath(kDriveInfoFileName);
        if (!logPath.isEmpty() && !QFileInfo(logPath).isFile())
            logPath.clear();
        m_driveInfoController = m_environment.tabFactory->createDriveInfoTab(logPath);
    }
    return m_driveInfoController;
}

bool VRDSettingController::populate()
{
    VRDSettingControllerDelegate *tab = currentTab();
    return tab == nullptr || tab->populate();
}

QString VRDSettingController::validateUserInput()
{
    VRDSettingControllerDelegate *tab = currentTab();
    return tab == nullptr ? QString() : tab->validateUserInput();
}

// --- Commands -------------------------------------------------------------

void VRDSettingController::onSave()
{
    const QString message = validateUserInput();
    if (!message.isNull()) {
        TKShowAlert(this, QStringLiteral("TOVIK"), message);
        return;
    }
    if (!populate())
        return;
    VRDPrepareFileDataForSave(m_FileData);
    const QString path = chooseSaveDestination();
    if (path.isEmpty())
        return;
    writeRecord(path);
}

QString VRDSettingController::chooseSaveDestination()
{
    if (!m_environment.settingFilePath.isEmpty()) {
        // A file given by path is written back where it came from, unless
        // it was refused on loading: then the user chooses where to save.
        if (!m_SettingFilePath.isEmpty())
            return m_SettingFilePath;
        return m_environment.chooseSavePath(this, m_environment.settingFilePath);
    }
    if (m_selectedUSBDisk) {
        const QString cardFile = joinPath(m_selectedUSBDisk->mountedURL(), kConfigFileName);
        if (QFileInfo(cardFile).isFile())
            return cardFile;
    }
    if (const std::optional<TKUSBDiskEntity> disk = findDeviceDisk())
        return joinPath(disk->mountedURL(), kConfigFileName);
    return m_environment.chooseSavePath(this, defaultSavePath());
}

QString VRDSettingController::defaultSavePath() const
{
    QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (desktop.isEmpty())
        desktop = QDir::home().filePath(QStringLiteral("Desktop"));
    return QDir(desktop).filePath(kConfigFileName);
}

void VRDSettingController::writeRecord(const QString &path)
{
    if (const std::optional<TKFileError> error = VRDWriteFileData(m_FileData, path.toStdString())) {
        qInfo("%s: %s", qUtf8Printable(path), error->systemError.c_str());
        // Only a locked card is reported as write-protected; other failures
        // say what went wrong.
        const QString text = error->writeProtected
            ? TKLocalizedString("msg.write_protected_disk")
            : TKLocalizedString(QString::fromStdString(error->messageKey)) + QLatin1Char('\n')
                + QString::fromStdString(error->systemError);
        TKShowAlert(this, QStringLiteral("Warn"), text);
        return;
    }
    emit settingFileSaved(path);
    TKShowAlertSheet(this, path, TKLocalizedString("msg.saved"), [this] { onCloseCmd(); });
}

void VRDSettingController::onSaveDefaultSetting()
{
    VRDResetFileData(m_FileData);
    if (VRDSettingControllerDelegate *tab = currentTab())
        tab->setFileData(&m_FileData);
}

void VRDSettingController::onFormat()
{
    // One format window at a time: a second click brings it forward.
    if (auto *open = findChild<VRDFormatWindowController *>(QString(), Qt::FindDirectChildrenOnly)) {
        open->raise();
        open->activateWindow();
        return;
    }
    VRDFormatWindowController::Environment environment;
    environment.diskService = m_environment.diskService;
    auto *controller = new VRDFormatWindowController(environment, this);
    controller->setAttribute(Qt::WA_DeleteOnClose);
    controller->show();
}

void VRDSettingController::onDiskUtil()
{
    for (const char *name : kDiskUtilities) {
        const QString program = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (program.isEmpty())
            continue;
        if (!QProcess::startDetached(program, {}))
            TKShowAlert(this, TKLocalizedString("setting.disk_utility"),
                        TKLocalizedString("msg.disk_utility_failed").arg(program));
        return;
    }
    TKShowAlert(this, TKLocalizedString("setting.disk_utility"), TKLocalizedString("msg.disk_utility_missing"));
}

void VRDSettingController::onCloseCmd()
{
    close();
}

// --- Loading sheet --------------------------------------------------------

void VRDSettingController::showLoading(const QString &message)
{
    PMProgressIndicator *bar = m_progressUi->progressIndicator;
    bar->setIndeterminate(true);
    m_stopLoadingWindow = false;
    m_progress = 0.0;
    m_loadingTicks = 0;
    bar->setDoubleValue(bar->minValue());
    m_progressUi->progressTitleField->setText(message);
    m_loadingTimer.start();
    m_progressPanel->open();
}

void VRDSettingController::hideLoading()
{
    m_stopLoadingWindow = true;
}

bool VRDSettingController::isLoadingSheetVisible() const
{
    return m_progressPanel->isVisible();
}

void VRDSettingController::updateLoadingWindow(double seconds)
{
    PMProgressIndicator *bar = m_progressUi->progressIndicator;
    // Counted in whole ticks so that the limit is reached on the 30th tick
    // exactly, not one late through rounding.
    ++m_loadingTicks;
    m_progress = m_loadingTicks * 100.0 / (2.0 * seconds);
    bar->setDoubleValue(m_progress);
    if (m_progress >= 100.0 || m_stopLoadingWindow) {
        bar->setDoubleValue(bar->minValue());
        bar->setIndeterminate(false);
        m_loadingTimer.stop();
        m_progressPanel->done(QDialog::Accepted);
        m_stopLoadingWindow = true;
        return;
    }
    m_loadingTimer.start();
}
