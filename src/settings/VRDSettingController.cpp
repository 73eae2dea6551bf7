#include "settings/VRDSettingController.h"

#include "config/VRDFileData.h"
#include "disk/TKCardLocator.h"
#include "disk/TKDiskService.h"
#include "disk/TKUDisks2Service.h"
#include "settings/VRDFormatWindowController.h"
#include "settings/VRDSettingControllerDelegate.h"
#include "settings/VRDSettingTabFactory.h"
#include "settings/VRDSettingsLog.h"
#include "ui_VRDSettingController.h"
#include "ui_VRDSettingLoadingPanel.h"
#include "widgets/PMProgressIndicator.h"
#include "widgets/TKLoadingView.h"
#include "widgets/TKInterfaceHelpers.h"
#include "widgets/TKLocalization.h"
#include "widgets/TKSegmentedControl.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QtConcurrent/QtConcurrentRun>

#include <array>
#include <filesystem>

namespace {

const QString kConfigFileName = QString::fromLatin1(TKCardLocator::kSettingsFileName);
const QString kDriveInfoFileName = QString::fromLatin1(TKCardLocator::kDriveInfoFileName);
// Disk utilities of the common desktops, in order of preference.
constexpr std::array kDiskUtilities{"gnome-disks", "partitionmanager"};

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
    TKLoadingView *loading = m_progressUi->loadingView;
    loading->bar()->setDrawDockProgress(false);
    loading->setTiming(static_cast<int>(kLoadingTickSeconds * 1000), kLoadingLimitSeconds);
    connect(loading, &TKLoadingView::stopped, m_progressPanel, [this] { m_progressPanel->done(QDialog::Accepted); });
    connect(&m_loadWatcher, &QFutureWatcherBase::finished, this, [this] { finishLoading(m_loadWatcher.result()); });
    connect(&m_document, &VRDConfigDocument::replaced, this, &VRDSettingController::showRecordOnCurrentTab);

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
    // Tabs hold the document: they go before it does.
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
    TKCenterInScreen(this);
    onInitDIalog();
    changeViewController(0);
}


void VRDSettingController::onInitDIalog()
{
    m_document.reset();
    loadSettingFile();
}

// --- Card and file --------------------------------------------------------

TKCardLocator VRDSettingController::cardLocator() const
{
    return TKCardLocator(*m_environment.diskService, VRDSettingsLogSink());
}

void VRDSettingController::findUSBVolume()
{
    TKCardLocator::SettingsCard found = cardLocator().findSettingsCard();
    if (!found.anyUSBVolume)
        return;
    if (!found.renameProblem.empty())
        qCWarning(lcSettings, "error=%s", found.renameProblem.c_str());
    m_SettingFilePath.clear();
    m_selectedUSBDisk = std::move(found.card);
    if (m_selectedUSBDisk)
        m_SettingFilePath = QString::fromStdString(TKCardLocator::settingsFilePath(*m_selectedUSBDisk));
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
    // The read fills a copy: the tabs show the document meanwhile, and the
    // copy replaces it on the main thread when the read is over.
    const std::string path = m_SettingFilePath.toStdString();
    const FILEDATA start = m_document.record();
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
        setWindowTitle(QStringLiteral("%1[Ver %2] : %3").arg(title, m_strVersion, m_SettingFilePath));
        m_document.replace(result.record);
    } else {
        // The rejected file leaves nothing behind: the record stays the
        // defaults it held before the read.
        FILEDATA defaults = m_document.record();
        VRDResetFileData(defaults);
        defaults.time_gmt = VRDTimeZoneIndex();
        m_SettingFilePath.clear();
        setWindowTitle(QStringLiteral("%1[Ver %2]").arg(title, m_strVersion));
        m_document.replace(defaults);
    }
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
        : m_environment.tabFactory->createTab(index, &m_document);
    m_lastSelectedTabIndex = index;
    m_ui->functionSegmentedControl->setSelectedSegment(index);
    if (newTab == nullptr)
        return;
    newTab->setWindowTitle(TKLocalizedString(VRDSettingTabFactory::titleKey(index)));
    m_targetController = newTab;
    m_ui->targetLayout->addWidget(newTab);
    newTab->show();
    if (VRDSettingControllerDelegate *tab = currentTab()) {
        tab->setFileData(&m_document);
        tab->setMainController(this);
    }
}

QWidget *VRDSettingController::createDriveInfoController()
{
    if (m_driveInfoController == nullptr) {
        QString logPath;
        if (m_selectedUSBDisk)
            logPath = QString::fromStdString(TKCardLocator::driveInfoFilePath(*m_selectedUSBDisk));
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
    m_document.prepareForSave();
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
        const QString cardFile = QString::fromStdString(TKCardLocator::settingsFilePath(*m_selectedUSBDisk));
        if (QFileInfo(cardFile).isFile())
            return cardFile;
    }
    if (const std::optional<TKUSBDiskEntity> disk = cardLocator().findDeviceDisk())
        return QString::fromStdString(TKCardLocator::settingsFilePath(*disk));
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
    if (const TKStatus<TKFileError> written = VRDWriteFileData(m_document.record(), path.toStdString()); !written) {
        const TKFileError &error = written.failure();
        qCWarning(lcSettings, "%s: %s", qUtf8Printable(path), error.systemError.c_str());
        // Only a locked card is reported as write-protected; other failures
        // say what went wrong.
        const QString text = error.writeProtected
            ? TKLocalizedString("msg.write_protected_disk")
            : TKLocalizedString(QString::fromStdString(error.messageKey)) + QLatin1Char('\n')
                + QString::fromStdString(error.systemError);
        TKShowAlert(this, QStringLiteral("Warn"), text);
        return;
    }
    emit settingFileSaved(path);
    TKShowAlertSheet(this, path, TKLocalizedString("msg.saved"), [this] { onCloseCmd(); });
}

void VRDSettingController::onSaveDefaultSetting()
{
    m_document.reset();
}

void VRDSettingController::showRecordOnCurrentTab()
{
    if (VRDSettingControllerDelegate *tab = currentTab())
        tab->setFileData(&m_document);
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
    m_progressUi->loadingView->start(message);
    m_progressPanel->open();
}

void VRDSettingController::hideLoading()
{
    m_progressUi->loadingView->stopAtNextTick();
}

bool VRDSettingController::isLoadingSheetVisible() const
{
    return m_progressPanel->isVisible();
}

void VRDSettingController::updateLoadingWindow(double seconds)
{
    m_progressUi->loadingView->tick(seconds);
}

double VRDSettingController::loadingProgress() const
{
    return m_progressUi->loadingView->progress();
}
