#include "viewer/VRDTimeSetupController.h"

#include "config/TKClockFile.h"
#include "disk/TKCardLocator.h"
#include "disk/TKDiskService.h"
#include "disk/TKUDisks2Service.h"
#include "ui_VRDTimeSetupController.h"
#include "viewer/VRDViewerLog.h"
#include "widgets/TKClockFaceTimePicker.h"
#include "widgets/TKInterfaceHelpers.h"
#include "widgets/TKLocalization.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QSignalBlocker>
#include <QTimer>

namespace {

const QString kClockFileSuffix = QStringLiteral("cfg");

QString runSaveDialog(QWidget *window, const QString &proposedPath)
{
    QFileDialog dialog(window, QStringLiteral("Save Clock File"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("Clock file (*.cfg)"));
    dialog.setDefaultSuffix(kClockFileSuffix);
    dialog.setDirectory(QFileInfo(proposedPath).absolutePath());
    dialog.selectFile(QFileInfo(proposedPath).fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

std::tm calendarTime(const QDate &date, const QTime &time)
{
    std::tm local{};
    local.tm_year = date.year() - 1900;
    local.tm_mon = date.month() - 1;
    local.tm_mday = date.day();
    local.tm_hour = time.hour();
    local.tm_min = time.minute();
    local.tm_sec = time.second();
    return local;
}

} // namespace

VRDTimeSetupController::VRDTimeSetupController(QWidget *parent)
    : VRDTimeSetupController(Environment{}, parent)
{
}

VRDTimeSetupController::VRDTimeSetupController(Environment environment, QWidget *parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::VRDTimeSetupController>())
    , m_environment(std::move(environment))
{
    if (!m_environment.diskService)
        m_environment.diskService = std::make_shared<TKUDisks2Service>();
    if (!m_environment.chooseSavePath)
        m_environment.chooseSavePath = runSaveDialog;
    if (!m_environment.now)
        m_environment.now = [] { return QDateTime::currentDateTime(); };

    m_ui->setupUi(this);
    connect(m_ui->datePicker, &QCalendarWidget::selectionChanged, this,
            &VRDTimeSetupController::daySelectedFromPicker);
    connect(m_ui->timePicker, &QTimeEdit::timeChanged, this, &VRDTimeSetupController::timeSelectedFromPicker);
    connect(m_ui->clockTimePicker, &TKClockFaceTimePicker::timeChanged, this,
            &VRDTimeSetupController::timeSelectedFromClickTimePicker);
    connect(m_ui->nowDaySettingChk, &QCheckBox::clicked, this, &VRDTimeSetupController::nowDayChecked);
    connect(m_ui->saveButton, &QPushButton::clicked, this, &VRDTimeSetupController::onSaveConfigFile);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &VRDTimeSetupController::onCloseCmd);
    onInitDIalog();
}

VRDTimeSetupController::~VRDTimeSetupController() = default;

QString VRDTimeSetupController::fullDateText(const QDate &date)
{
    return QLocale().toString(date, QLocale::LongFormat);
}

QString VRDTimeSetupController::mediumDateText(const QDate &date)
{
    return QLocale().toString(date, QStringLiteral("d MMM yyyy"));
}

void VRDTimeSetupController::onInitDIalog()
{
    loadSettingFile();
    const QDateTime now = m_environment.now();
    m_selectedDate = now.date();
    m_selectedTime = now.time().addMSecs(-now.time().msec());
    {
        const QSignalBlocker blockCalendar(m_ui->datePicker);
        const QSignalBlocker blockTime(m_ui->timePicker);
        m_ui->datePicker->setSelectedDate(m_selectedDate);
        m_ui->timePicker->setTime(m_selectedTime);
    }
    m_ui->clockTimePicker->setTime(m_selectedTime);
    showSelectedDate();
    m_ui->saveButton->setText(TKLocalizedString("save"));
    m_ui->cancelButton->setText(TKLocalizedString("cancel"));
}

void VRDTimeSetupController::loadSettingFile()
{
    const auto volume = TKCardLocator(*m_environment.diskService, VRDViewerLogSink()).findVolumeHolding(TKClockFile::kFileName);
    if (volume)
        m_SettingFilePath = QDir(QString::fromStdString(*volume)).filePath(QString::fromLatin1(TKClockFile::kFileName));
}

void VRDTimeSetupController::showSelectedDate()
{
    m_ui->dateField->setText(fullDateText(m_selectedDate));
    m_ui->nowDaySettingChk->setText(
        QStringLiteral("%1(%2)").arg(TKLocalizedString("today"), mediumDateText(m_environment.now().date())));
}

void VRDTimeSetupController::daySelectedFromPicker()
{
    m_selectedDate = m_ui->datePicker->selectedDate();
    m_ui->dateField->setText(fullDateText(m_selectedDate));
}

void VRDTimeSetupController::timeSelectedFromClickTimePicker()
{
    m_selectedTime = m_ui->clockTimePicker->time();
    const QSignalBlocker block(m_ui->timePicker);
    m_ui->timePicker->setTime(m_selectedTime);
}

void VRDTimeSetupController::timeSelectedFromPicker()
{
    m_selectedTime = m_ui->timePicker->time();
    m_ui->clockTimePicker->setTime(m_selectedTime);
}

void VRDTimeSetupController::nowDayChecked()
{
    m_selectedDate = m_environment.now().date();
    showSelectedDate();
    {
        const QSignalBlocker block(m_ui->datePicker);
        m_ui->datePicker->setSelectedDate(m_selectedDate);
    }
    // A one-shot button: the tick shows that it worked, then goes away.
    QTimer::singleShot(kTodayUncheckDelayMs, this, [this] { m_ui->nowDaySettingChk->setChecked(false); });
}

QString VRDTimeSetupController::openSavePanel()
{
    const QString proposed = QDir::home().filePath(QStringLiteral("timeset.") + kClockFileSuffix);
    QString path = m_environment.chooseSavePath(this, proposed);
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + kClockFileSuffix;
    return path;
}

QString VRDTimeSetupController::doWriteConfigFile(const QString &path)
{
    const TKStatus<TKFileError> written = TKClockFile::write(path.toStdString(), calendarTime(m_selectedDate, m_selectedTime));
    if (written)
        return {};
    const TKFileError &error = written.failure();
    qCWarning(lcViewer, "%s", error.systemError.c_str());
    const QString message = TKLocalizedString(QString::fromStdString(error.messageKey));
    return error.writeProtected
        ? QStringLiteral("%1\n%2").arg(message, TKLocalizedString("msg.write_protected_disk"))
        : QStringLiteral("%1\n%2").arg(message, QString::fromStdString(error.systemError));
}

void VRDTimeSetupController::onSaveConfigFile()
{
    const QString path = m_SettingFilePath.isEmpty() ? openSavePanel() : m_SettingFilePath;
    if (path.isEmpty())
        return;
    // A file that could not be written is reported, and the window stays
    // open so the user can try another place.
    const QString problem = doWriteConfigFile(path);
    if (!problem.isEmpty()) {
        TKShowAlert(this, QStringLiteral("Warn"), problem);
        return;
    }
    TKShowAlertSheet(this, QStringLiteral("TOVIK"), TKLocalizedString("time.filesave"), [this] { didEndAlert(); });
}

void VRDTimeSetupController::didEndAlert()
{
    close();
}

void VRDTimeSetupController::onCloseCmd()
{
    close();
}

void VRDTimeSetupController::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_centred) {
        m_centred = true;
        TKCenterInScreen(this);
    }
}

