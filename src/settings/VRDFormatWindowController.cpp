#include "settings/VRDFormatWindowController.h"

#include "disk/TKDiskService.h"
#include "disk/TKFormatJob.h"
#include "disk/TKFormatPlan.h"
#include "disk/TKProcessCommandRunner.h"
#include "disk/TKUDisks2Service.h"
#include "disk/TKUSBDiskDiscovery.h"
#include "ui_VRDFormatWindowController.h"
#include "settings/VRDSettingsLog.h"
#include "widgets/TKLoadingView.h"
#include "widgets/TKInterfaceHelpers.h"
#include "widgets/TKLocalization.h"

#include <QCloseEvent>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>

namespace {

constexpr int kWriteProtectedErrorNumber = 1;
constexpr std::uint64_t kSectorSize = 512;
const QString kSearchingText = QStringLiteral("Disk searching...");
const QString kFormattingText = QStringLiteral("Formatting...");
const QString kCopyFailTitle = QStringLiteral("config.bin copy fail");

QString fromStd(const std::string &text)
{
    return QString::fromStdString(text);
}

bool askBeforeErasing(QWidget *window, const QString &displayString)
{
    QMessageBox question(QMessageBox::Warning, TKLocalizedString("setting.format.format"),
                         TKLocalizedString("msg.format_confirm").arg(displayString.trimmed()),
                         QMessageBox::Cancel, window);
    question.setInformativeText(TKLocalizedString("msg.format_confirm_detail"));
    QPushButton *erase = question.addButton(TKLocalizedString("setting.format.format"), QMessageBox::DestructiveRole);
    question.setDefaultButton(QMessageBox::Cancel);
    question.exec();
    return question.clickedButton() == erase;
}

} // namespace

VRDFormatWindowController::VRDFormatWindowController(QWidget *parent)
    : VRDFormatWindowController(Environment{}, parent)
{
}

VRDFormatWindowController::VRDFormatWindowController(Environment environment, QWidget *parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::VRDFormatWindowController>())
    , m_environment(std::move(environment))
{
    if (!m_environment.diskService)
        m_environment.diskService = std::make_shared<TKUDisks2Service>();
    if (!m_environment.runner)
        m_environment.runner = std::make_shared<TKProcessCommandRunner>();
    if (m_environment.temporaryFolder.empty())
        m_environment.temporaryFolder = QDir::tempPath().toStdString();
    if (!m_environment.confirmErase)
        m_environment.confirmErase = askBeforeErasing;

    m_ui->setupUi(this);
    m_formatJob = std::make_unique<TKFormatJob>(*m_environment.diskService, *m_environment.runner,
                                                m_environment.temporaryFolder);
    connect(m_formatJob.get(), &TKFormatJob::stepReported, this, &VRDFormatWindowController::showStep);
    connect(m_formatJob.get(), &TKFormatJob::finished, this, &VRDFormatWindowController::formatDidFinished);
    connect(&m_listingWatcher, &QFutureWatcher<Listing>::finished, this, &VRDFormatWindowController::listingArrived);
    connect(m_ui->usbDiskCombo, &QComboBox::activated, this, &VRDFormatWindowController::changeDisk);
    connect(m_ui->formatButton, &QPushButton::clicked, this, &VRDFormatWindowController::onFormat);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &VRDFormatWindowController::cancel);
    m_ui->progressView->setTextBesideBar(true);
    m_ui->progressView->setTiming(kProgressTickMs, kProgressTimeLimitSeconds);
    connect(m_ui->progressView, &TKLoadingView::messageChanged, this, &VRDFormatWindowController::progressMessageChanged);
    windowDidLoad();
}

VRDFormatWindowController::~VRDFormatWindowController() = default;

void VRDFormatWindowController::windowDidLoad()
{
    m_ui->usbDiskLabel->setText(TKLocalizedString("setting.format.usb_drive"));
    m_ui->pathLabel->setText(TKLocalizedString("setting.format.device"));
    m_ui->allocationUnitLabel->setText(TKLocalizedString("setting.format.allocation_unit_size"));
    m_ui->fileSystemLabel->setText(TKLocalizedString("setting.format.filesystem"));
    m_ui->formatButton->setText(TKLocalizedString("setting.format.format"));
    m_ui->cancelButton->setText(TKLocalizedString("cancel"));
    m_ui->fileSystemField->setText(QStringLiteral("FAT32"));
    m_ui->pathField->setText(QStringLiteral("-"));
    m_ui->allocationUnitField->setText(allocationUnitText(clusterSizeByVolumeSizeInKB(0)));
    m_ui->progressView->setVisible(false);
    loadUSBVolumes();
}

QString VRDFormatWindowController::allocationUnitText(long sectorsPerCluster)
{
    return QStringLiteral("%1 KB").arg(static_cast<std::uint64_t>(sectorsPerCluster) * kSectorSize / 1024);
}

bool VRDFormatWindowController::stopProgressBar() const
{
    return m_ui->progressView->isStopped();
}

double VRDFormatWindowController::progress() const
{
    return m_ui->progressView->progress();
}

bool VRDFormatWindowController::isSearching() const
{
    return m_listingWatcher.isRunning();
}

bool VRDFormatWindowController::isFormatting() const
{
    return !m_formattingDevice.empty();
}

void VRDFormatWindowController::loadUSBVolumes(std::function<void()> completion)
{
    if (completion)
        m_listingCompletions.push_back(std::move(completion));
    if (stopProgressBar()) {
        showProgressBar(kSearchingText);
        m_listingShowedProgress = true;
    } else {
        setProgressMessage(kSearchingText);
    }
    // A refresh asked for during a search waits for it and then lists afresh,
    // so its completion sees the disks as they are now.
    if (m_listingWatcher.isRunning()) {
        m_listingAgain = true;
        return;
    }
    startListing();
}

void VRDFormatWindowController::startListing()
{
    m_listingWatcher.setFuture(QtConcurrent::run(&VRDFormatWindowController::doLoadUSBVolumes, m_environment.diskService));
}

VRDFormatWindowController::Listing VRDFormatWindowController::doLoadUSBVolumes(std::shared_ptr<TKDiskService> service)
{
    TKVolumeListing listing = service->listVolumes();
    return Listing{TKUSBDiskEntities(listing.volumes), std::move(listing.problem)};
}

void VRDFormatWindowController::listingArrived()
{
    if (m_listingAgain) {
        m_listingAgain = false;
        startListing();
        return;
    }
    Listing listing = m_listingWatcher.result();
    if (!listing.problem.empty())
        qCWarning(lcSettings, "%s", listing.problem.c_str());
    m_listingProblem = std::move(listing.problem);
    m_usbDiskArray = std::move(listing.disks);
    QStringList entries;
    for (const TKUSBDiskEntity &disk : m_usbDiskArray)
        entries.append(fromStd(disk.displayString()));
    TKSetComboItems(m_ui->usbDiskCombo, entries);
    if (!entries.isEmpty())
        m_ui->usbDiskCombo->setCurrentIndex(0);
    updateSelectedDiskInfo();
    if (m_listingShowedProgress) {
        m_listingShowedProgress = false;
        hideProgressBar();
    }
    std::vector<std::function<void()>> completions;
    completions.swap(m_listingCompletions);
    for (const auto &completion : completions)
        completion();
}

std::optional<TKUSBDiskEntity> VRDFormatWindowController::selectedUSBDisk() const
{
    const int index = m_ui->usbDiskCombo->currentIndex();
    if (index < 0 || static_cast<std::size_t>(index) >= m_usbDiskArray.size())
        return std::nullopt;
    return m_usbDiskArray[static_cast<std::size_t>(index)];
}

std::optional<TKUSBDiskEntity> VRDFormatWindowController::selectUSBByDevFile(const std::string &deviceFilePath)
{
    const auto found = std::find_if(m_usbDiskArray.begin(), m_usbDiskArray.end(), [&](const TKUSBDiskEntity &disk) {
        return disk.deviceFilePath() == deviceFilePath;
    });
    if (found == m_usbDiskArray.end())
        return std::nullopt;
    m_ui->usbDiskCombo->setCurrentIndex(static_cast<int>(found - m_usbDiskArray.begin()));
    updateSelectedDiskInfo();
    return *found;
}

void VRDFormatWindowController::updateSelectedDiskInfo()
{
    const std::optional<TKUSBDiskEntity> disk = selectedUSBDisk();
    if (!disk) {
        m_ui->pathField->setText(QStringLiteral("-"));
        m_ui->allocationUnitField->setText(allocationUnitText(clusterSizeByVolumeSizeInKB(0)));
        return;
    }
    m_ui->pathField->setText(QStringLiteral("%1   %2").arg(fromStd(disk->deviceFilePath()), fromStd(disk->mountedURL())));
    // A long mount path is cut at its end, not at the device name.
    m_ui->pathField->setCursorPosition(0);
    m_ui->allocationUnitField->setText(allocationUnitText(clusterSizeByVolumeSizeInKB(disk->volumeSize())));
}

void VRDFormatWindowController::changeDisk()
{
    updateSelectedDiskInfo();
}

void VRDFormatWindowController::onFormat()
{
    if (isFormatting())
        return;
    const std::optional<TKUSBDiskEntity> disk = selectedUSBDisk();
    if (!disk) {
        if (!m_usbDiskArray.empty()) {
            TKShowAlert(this, QStringLiteral("TOVIK"), QStringLiteral("Please select USB drive."));
            return;
        }
        QString text = QStringLiteral("There is no USB drive.");
        if (!m_listingProblem.empty())
            text += QLatin1Char('\n') + fromStd(m_listingProblem);
        TKShowAlert(this, QStringLiteral("TOVIK"), text);
        return;
    }
    const QString displayString = fromStd(disk->displayString());
    if (!disk->writable()) {
        TKShowAlert(this, TKLocalizedString("msg.cannot_format"),
                    QStringLiteral("%1\n%2").arg(displayString, TKLocalizedString("msg.write_protected_disk")));
        return;
    }
    // Formatting erases the whole card: the user says so first.
    if (!m_environment.confirmErase(this, displayString))
        return;
    doFormat(*disk);
}

void VRDFormatWindowController::doFormat(const TKUSBDiskEntity &disk)
{
    m_formattingDevice = disk.deviceFilePath();
    setControlsEnabled(false);
    showProgressBar(kFormattingText);
    if (!m_formatJob->start(fromStd(m_formattingDevice))) {
        m_formattingDevice.clear();
        setControlsEnabled(true);
        hideProgressBar();
    }
}

void VRDFormatWindowController::showStep(const TKFormatStep &step)
{
    if (step.state == TKFormatStep::State::Started) {
        setProgressMessage(fromStd(step.text));
        return;
    }
    const bool failed = step.state == TKFormatStep::State::Failed;
    const char *separator = step.detail.empty() ? "" : ": ";
    if (failed)
        qCWarning(lcSettings, "%s failed%s%s", step.text.c_str(), separator, step.detail.c_str());
    else
        qCInfo(lcSettings, "%s done%s%s", step.text.c_str(), separator, step.detail.c_str());
}

void VRDFormatWindowController::formatDidFinished(const TKFormatResult &result)
{
    const std::string device = m_formattingDevice;
    // The list is refreshed first so the alert names the disk as it is now.
    loadUSBVolumes([this, result, device] { reportResult(result, device); });
}

void VRDFormatWindowController::reportResult(const TKFormatResult &result, const std::string &deviceFilePath)
{
    const std::optional<TKUSBDiskEntity> disk = selectUSBByDevFile(deviceFilePath);
    const QString displayString = disk ? fromStd(disk->displayString()) : fromStd(result.displayString);
    m_formattingDevice.clear();
    setControlsEnabled(true);
    hideProgressBar();
    switch (result.status) {
    case TKFormatResult::Status::Completed:
        TKShowAlertSheet(this, TKLocalizedString("msg.format_complete"), displayString, [this] { close(); });
        break;
    case TKFormatResult::Status::RestoreFailed: {
        qCWarning(lcSettings, "error=%s", result.message.c_str());
        QString text = fromStd(result.message);
        if (!result.savedConfigPath.empty())
            text += QLatin1Char('\n') + TKLocalizedString("msg.config_kept_at").arg(fromStd(result.savedConfigPath));
        TKShowAlert(this, kCopyFailTitle, text);
        break;
    }
    case TKFormatResult::Status::Refused:
    case TKFormatResult::Status::FormatFailed:
        TKShowAlert(this, TKLocalizedString("msg.cannot_format"), failureText(result, displayString));
        break;
    }
    emit formatFinished(result);
}

QString VRDFormatWindowController::failureText(const TKFormatResult &result, const QString &displayString) const
{
    if (result.errorNumber == kWriteProtectedErrorNumber)
        return QStringLiteral("%1\n%2").arg(displayString, TKLocalizedString("msg.write_protected_disk"));
    return QStringLiteral("%1\nError:%2").arg(displayString, fromStd(result.message));
}

void VRDFormatWindowController::setControlsEnabled(bool enabled)
{
    m_ui->usbDiskCombo->setEnabled(enabled);
    m_ui->formatButton->setEnabled(enabled);
    m_ui->cancelButton->setEnabled(enabled);
}

void VRDFormatWindowController::setProgressMessage(const QString &text)
{
    m_ui->progressView->setMessage(text);
}

void VRDFormatWindowController::cancel()
{
    close();
}

void VRDFormatWindowController::closeEvent(QCloseEvent *event)
{
    // Closing mid-run would leave the card unmounted and half-written.
    if (isFormatting()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void VRDFormatWindowController::showProgressBar(const QString &text)
{
    m_ui->progressView->start(text);
}

void VRDFormatWindowController::hideProgressBar()
{
    m_ui->progressView->stop();
}

void VRDFormatWindowController::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_centred) {
        m_centred = true;
        TKCenterInScreen(this);
    }
}

