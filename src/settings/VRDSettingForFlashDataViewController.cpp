#include "settings/VRDSettingForFlashDataViewController.h"

#include "devicedata/VRDDriveInfoColumns.h"
#include "devicedata/VRDDriveInfoCsvWriter.h"
#include "settings/VRDDriveInfoTableModel.h"
#include "settings/VRDMapPresenter.h"
#include "settings/VRDMapWindowPresenter.h"
#include "settings/VRDSettingController.h"
#include "ui_VRDSettingForFlashDataViewController.h"
#include "settings/VRDSettingsLog.h"
#include "widgets/TKInterfaceHelpers.h"
#include "widgets/TKLocalization.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>

#include <string>
#include <vector>

namespace {

const QString kLogSuffix = QStringLiteral("drv");
const QString kExportSuffix = QStringLiteral("csv");
// Room for the header's padding beside a title, and for a cell's margins.
constexpr int kHeaderTitlePadding = 16;
constexpr int kCellPadding = 10;
constexpr int kCellFontPixelSize = 12;

QString runOpenDialog(QWidget *window)
{
    return QFileDialog::getOpenFileName(window, TKLocalizedString("open"), QDir::homePath(),
                                        QStringLiteral("Drive information (*.drv)"));
}

QString runSaveDialog(QWidget *window, const QString &proposedPath)
{
    QFileDialog dialog(window, TKLocalizedString("export"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("Comma-separated values (*.csv)"));
    dialog.setDefaultSuffix(kExportSuffix);
    dialog.setDirectory(QFileInfo(proposedPath).absolutePath());
    dialog.selectFile(QFileInfo(proposedPath).fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QStringList makeColumnNames()
{
    QStringList names;
    for (const VRDDriveInfoColumns::Column &column : VRDDriveInfoColumns::kColumns) {
        const QString title = QString::fromUtf8(column.title.data(), static_cast<qsizetype>(column.title.size()));
        names.append(column.localised ? TKLocalizedString(title) : title);
    }
    return names;
}

QString failureText(const TKFileError &error)
{
    return QStringLiteral("%1\n%2").arg(TKLocalizedString(QString::fromStdString(error.messageKey)),
                                        QString::fromStdString(error.systemError));
}

} // namespace

VRDSettingForFlashDataViewController::VRDSettingForFlashDataViewController(QWidget *parent)
    : VRDSettingForFlashDataViewController(Environment{}, parent)
{
}

VRDSettingForFlashDataViewController::VRDSettingForFlashDataViewController(Environment environment, QWidget *parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::VRDSettingForFlashDataViewController>())
    , m_environment(std::move(environment))
{
    if (!m_environment.chooseOpenPath)
        m_environment.chooseOpenPath = runOpenDialog;
    if (!m_environment.chooseSavePath)
        m_environment.chooseSavePath = runSaveDialog;
    if (!m_environment.makeMapWindow)
        m_environment.makeMapWindow = [] { return std::make_unique<VRDMapWindowPresenter>(); };
    m_ui->setupUi(this);
    awakeFromNib();
}

VRDSettingForFlashDataViewController::~VRDSettingForFlashDataViewController() = default;

void VRDSettingForFlashDataViewController::awakeFromNib()
{
    m_columnNames = makeColumnNames();
    m_model = new VRDDriveInfoTableModel(m_columnNames, this);
    QTableView *table = m_ui->tableView;
    table->setModel(m_model);
    QFont cellFont = table->font();
    cellFont.setPixelSize(kCellFontPixelSize);
    table->setFont(cellFont);
    table->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    fitColumns();
    // Fixed row heights: the view never measures 100 000 rows.
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);

    m_ui->openButton->setText(TKLocalizedString("open"));
    m_ui->exportButton->setText(TKLocalizedString("export"));
    connect(m_ui->openButton, &QPushButton::clicked, this, &VRDSettingForFlashDataViewController::openFileDialog);
    connect(m_ui->exportButton, &QPushButton::clicked, this, &VRDSettingForFlashDataViewController::onSaveCSVFile);
    // Double-click, or Enter on the keyboard.
    connect(table, &QTableView::activated, this, &VRDSettingForFlashDataViewController::doubleClickTableRow);
    connect(&m_readWatcher, &QFutureWatcher<ReadResult>::finished, this,
            &VRDSettingForFlashDataViewController::readFinished);
    connect(&m_writeWatcher, &QFutureWatcher<std::optional<TKFileError>>::finished, this,
            &VRDSettingForFlashDataViewController::writeFinished);
}

void VRDSettingForFlashDataViewController::fitColumns()
{
    for (std::size_t column = 0; column < VRDDriveInfoColumns::kCount; ++column) {
        const int index = static_cast<int>(column);
        makeColumnWithIndex(index, m_columnNames.at(index), VRDDriveInfoColumns::kColumns[column].width);
    }
}

void VRDSettingForFlashDataViewController::makeColumnWithIndex(int index, const QString &title, int width)
{
    QTableView *table = m_ui->tableView;
    QHeaderView *header = table->horizontalHeader();
    const int titleWidth = QFontMetrics(header->font()).horizontalAdvance(title) + kHeaderTitlePadding;
    const std::int64_t sampleRow = m_pFalshSaveValue->count() > 0 ? 0 : -1;
    const QString cell = QString::fromStdString(m_pFalshSaveValue->stringForColumnIndex(index, sampleRow));
    const int cellWidth = QFontMetrics(table->font()).horizontalAdvance(cell) + kCellPadding;
    header->resizeSection(index, std::max({width, titleWidth, cellWidth}));
}

void VRDSettingForFlashDataViewController::setFileData(VRDConfigDocument *document)
{
    m_document = document;
    displayFileData();
}

void VRDSettingForFlashDataViewController::displayFileData()
{
    if (m_document == nullptr || !m_firstLoad)
        return;
    m_firstLoad = false;
    if (!m_FlashDataFilePath.isEmpty() && QFileInfo(m_FlashDataFilePath).isFile())
        loadFlashDataFile();
}

QString VRDSettingForFlashDataViewController::validateUserInput()
{
    return {};
}

bool VRDSettingForFlashDataViewController::populate()
{
    return m_document != nullptr;
}

void VRDSettingForFlashDataViewController::setMainController(VRDSettingController *controller)
{
    m_mainController = controller;
}

void VRDSettingForFlashDataViewController::onHide()
{
    releaseMapWindow();
}

std::int64_t VRDSettingForFlashDataViewController::flashDataNum() const
{
    return m_pFalshSaveValue->count();
}

bool VRDSettingForFlashDataViewController::isBusy() const
{
    return m_readWatcher.isRunning() || m_writeWatcher.isRunning();
}

void VRDSettingForFlashDataViewController::setBusy(bool busy)
{
    m_ui->openButton->setEnabled(!busy);
    m_ui->exportButton->setEnabled(!busy);
}

void VRDSettingForFlashDataViewController::releaseMapWindow()
{
    m_mapWindowController.reset();
}

void VRDSettingForFlashDataViewController::openFileDialog()
{
    releaseMapWindow();
    if (isBusy())
        return;
    const QString path = m_environment.chooseOpenPath(window());
    if (path.isEmpty())
        return;
    m_FlashDataFilePath = path;
    m_userOpenedFile = true;
    loadFlashDataFile();
}

void VRDSettingForFlashDataViewController::loadFlashDataFile()
{
    if (m_FlashDataFilePath.isEmpty() || isBusy())
        return;
    if (m_mainController)
        m_mainController->showLoading(QStringLiteral("Loading..."));
    setBusy(true);
    // The reader builds its log aside; the table gets it whole, or keeps its own.
    m_readWatcher.setFuture(QtConcurrent::run(&VRDSettingForFlashDataViewController::doReadFlashDataFile,
                                              m_FlashDataFilePath.toStdString()));
}

VRDSettingForFlashDataViewController::ReadResult
VRDSettingForFlashDataViewController::doReadFlashDataFile(const std::string &path)
{
    auto log = std::make_shared<VRDDriveInfoLog>();
    std::optional<TKFileError> error = VRDDriveInfoLog::read(path, *log);
    return ReadResult{error ? nullptr : std::shared_ptr<const VRDDriveInfoLog>(std::move(log)), std::move(error)};
}

void VRDSettingForFlashDataViewController::readFinished()
{
    const ReadResult result = m_readWatcher.result();
    const bool userAsked = m_userOpenedFile;
    m_userOpenedFile = false;
    if (result.error) {
        qCWarning(lcSettings, "fopen fail:%s (%s)", qPrintable(m_FlashDataFilePath), result.error->systemError.c_str());
    } else {
        m_pFalshSaveValue = result.log;
        m_model->setLog(m_pFalshSaveValue);
        fitColumns();
        m_bFlashDataAccess = true;
        m_ui->fileNameLabel->setText(QStringLiteral("%1  (%2)").arg(QFileInfo(m_FlashDataFilePath).fileName())
                                         .arg(result.log->count()));
        m_ui->fileNameLabel->setToolTip(m_FlashDataFilePath);
    }
    setBusy(false);
    if (m_mainController)
        m_mainController->hideLoading();
    // The automatic read at first display stays quiet; a file the user chose gets an answer.
    if (result.error && userAsked)
        TKShowAlert(window(), QStringLiteral("Warning"), failureText(*result.error));
    emit flashDataLoaded(!result.error);
}

void VRDSettingForFlashDataViewController::doubleClickTableRow(const QModelIndex &index)
{
    const std::int64_t row = index.isValid() ? index.row() : -1;
    qCDebug(lcSettings, "rowNum=%lld", static_cast<long long>(row));
    const std::optional<VRDDriveInfoPosition> position = m_pFalshSaveValue->positionOfRow(row);
    if (!position)
        return;
    if (m_mapWindowController) {
        m_mapWindowController->showWindow();
    } else {
        m_mapWindowController = m_environment.makeMapWindow();
        m_mapWindowController->showWindow();
        m_mapWindowController->moveWindowRightBy(window()->frameGeometry());
    }
    if (position->latitude != 0 && position->longitude != 0)
        m_mapWindowController->updateMapLat(position->latitude, position->longitude);
}

QString VRDSettingForFlashDataViewController::openSavePanel()
{
    const QString proposed = QDir::home().filePath(QStringLiteral("tovik_000.") + kExportSuffix);
    QString path = m_environment.chooseSavePath(window(), proposed);
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + kExportSuffix;
    return path;
}

void VRDSettingForFlashDataViewController::onSaveCSVFile()
{
    releaseMapWindow();
    if (flashDataNum() <= 0 || isBusy())
        return;
    const QString path = openSavePanel();
    if (path.isEmpty())
        return;
    if (m_mainController)
        m_mainController->showLoading(QStringLiteral("Saving..."));
    setBusy(true);
    m_exportPath = path;
    std::vector<std::string> titles;
    for (const QString &name : m_columnNames)
        titles.push_back(name.toStdString());
    m_writeWatcher.setFuture(QtConcurrent::run(&VRDSettingForFlashDataViewController::doWriteCSVFile, m_pFalshSaveValue,
                                               titles, path.toStdString()));
}

std::optional<TKFileError> VRDSettingForFlashDataViewController::doWriteCSVFile(
    std::shared_ptr<const VRDDriveInfoLog> log, std::vector<std::string> titles, const std::string &path)
{
    return VRDDriveInfoCsvWriter::write(*log, titles, path);
}

void VRDSettingForFlashDataViewController::writeFinished()
{
    const std::optional<TKFileError> error = m_writeWatcher.result();
    setBusy(false);
    if (m_mainController)
        m_mainController->hideLoading();
    if (error)
        qCWarning(lcSettings, "%s", error->systemError.c_str());
    emit csvFileWritten(m_exportPath, !error);
    // After the loading sheet has gone; a failed export says so instead of "saved".
    QTimer::singleShot(kSavedAlertDelayMs, this, [this, error] {
        if (error)
            TKShowAlert(window(), QStringLiteral("Warn"), failureText(*error));
        else
            TKShowAlert(window(), QStringLiteral("TOVIK"), TKLocalizedString("msg.saved"));
    });
}
