#include "viewer/VRDExportDialog.h"

#include "ui_VRDExportDialog.h"
#include "viewer/VRDClipMarks.h"
#include "widgets/TKLocalization.h"

#include <QFile>
#include <QFileDialog>
#include <QPointer>
#include <QtConcurrent/QtConcurrentRun>

#include <cmath>
#include <tuple>

namespace {

QString secondsText(double seconds)
{
    const int tenths = static_cast<int>(std::lround(seconds * 10));
    return QString("%1:%2.%3").arg(tenths / 600).arg(tenths / 10 % 60, 2, 10, QChar('0')).arg(tenths % 10);
}

} // namespace

VRDExportDialog::VRDExportDialog(VRDClipExporter::Request request, const QString &folder, std::optional<double> aroundCentre,
                                 QWidget *parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::VRDExportDialog>()), m_request(std::move(request)), m_aroundCentre(aroundCentre)
{
    m_ui->setupUi(this);
    setWindowTitle(TKLocalizedString("export.title"));
    m_ui->aroundLabel->setText(TKLocalizedString("export.around_span"));
    m_ui->aroundBox->setVisible(m_aroundCentre.has_value());
    if (m_aroundCentre)
        m_ui->aroundSpin->setValue(static_cast<int>(std::lround((m_request.to - m_request.from) / 2)));
    connect(m_ui->aroundSpin, &QSpinBox::valueChanged, this, &VRDExportDialog::aroundChanged);
    showClip();
    m_ui->folderLabel->setText(TKLocalizedString("export.folder"));
    m_ui->folderField->setText(folder);
    m_ui->chooseFolderButton->setText(TKLocalizedString("export.choose_folder"));
    m_ui->losslessLabel->setText(TKLocalizedString("export.lossless"));
    m_ui->sideBySideChk->setText(TKLocalizedString("export.side_by_side"));
    m_ui->sideBySideChk->setChecked(true);
    for (const char *key : {"export.corner_top_right", "export.corner_top_left", "export.corner_bottom_right",
                            "export.corner_bottom_left"})
        m_ui->cornerCombo->addItem(TKLocalizedString(key));
    m_ui->reportChk->setText(TKLocalizedString("export.report"));
    m_ui->reportChk->setChecked(true);
    m_ui->exportButton->setText(TKLocalizedString("export.start"));
    m_ui->cancelButton->setText(TKLocalizedString("cancel"));
    connect(m_ui->chooseFolderButton, &QPushButton::clicked, this, &VRDExportDialog::chooseFolder);
    connect(m_ui->exportButton, &QPushButton::clicked, this, &VRDExportDialog::startExport);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &VRDExportDialog::cancelOrClose);
    connect(m_ui->sideBySideChk, &QCheckBox::toggled, m_ui->cornerCombo, &QWidget::setEnabled);
    connect(&m_watcher, &QFutureWatcher<VRDClipExporter::Outcome>::finished, this, &VRDExportDialog::exportDone);
}

VRDExportDialog::~VRDExportDialog()
{
    // The job reads the request and the cancel flag of this dialog.
    m_cancel = true;
    m_watcher.waitForFinished();
}

void VRDExportDialog::showClip()
{
    m_ui->clipLabel->setText(TKLocalizedString("export.clip_fmt")
                                 .arg(QFile::decodeName(m_request.file.c_str()).section('/', -1), secondsText(m_request.from),
                                      secondsText(m_request.to))
                                 .arg(m_request.to - m_request.from, 0, 'f', 1));
}

void VRDExportDialog::aroundChanged(int seconds)
{
    if (!m_aroundCentre)
        return;
    std::tie(m_request.from, m_request.to) = VRDClipMarks::around(*m_aroundCentre, seconds);
    showClip();
}

void VRDExportDialog::chooseFolder()
{
    const QString chosen = QFileDialog::getExistingDirectory(this, TKLocalizedString("export.folder"), m_ui->folderField->text());
    if (!chosen.isEmpty())
        m_ui->folderField->setText(chosen);
}

void VRDExportDialog::startExport()
{
    if (isExporting())
        return;
    if (m_ui->folderField->text().trimmed().isEmpty()) {
        m_ui->statusLabel->setText(TKLocalizedString("export.no_folder"));
        return;
    }
    VRDClipExporter::Request request = m_request;
    request.directory = QFile::encodeName(m_ui->folderField->text().trimmed()).toStdString();
    request.sideBySide = m_ui->sideBySideChk->isChecked();
    request.report = m_ui->reportChk->isChecked();
    using Corner = VRDPipLayout::Corner;
    constexpr Corner kCorners[] = {Corner::TopRight, Corner::TopLeft, Corner::BottomRight, Corner::BottomLeft};
    request.sideBySideOptions.corner = kCorners[std::clamp(m_ui->cornerCombo->currentIndex(), 0, 3)];

    m_cancel = false;
    m_exporting = true;
    m_ui->progressBar->setValue(0);
    m_ui->statusLabel->setText(TKLocalizedString("export.running"));
    m_ui->exportButton->setEnabled(false);
    m_ui->folderField->setEnabled(false);
    m_ui->aroundSpin->setEnabled(false);
    const QPointer<VRDExportDialog> self(this);
    VRDExportMonitor monitor;
    monitor.cancel = &m_cancel;
    // Progress crosses to the main thread as a queued call; a dialog
    // already gone drops it.
    monitor.progress = [self](double fraction) {
        QMetaObject::invokeMethod(qApp, [self, fraction] {
            if (self)
                self->showProgress(fraction);
        }, Qt::QueuedConnection);
    };
    m_watcher.setFuture(QtConcurrent::run([request, monitor] { return VRDClipExporter::run(request, monitor); }));
}

void VRDExportDialog::showProgress(double fraction)
{
    m_ui->progressBar->setValue(static_cast<int>(fraction * m_ui->progressBar->maximum()));
}

void VRDExportDialog::exportDone()
{
    m_outcome = m_watcher.result();
    m_exporting = false;
    m_ui->exportButton->setEnabled(true);
    m_ui->folderField->setEnabled(true);
    m_ui->aroundSpin->setEnabled(true);
    m_ui->cancelButton->setText(TKLocalizedString("close"));
    if (m_outcome.ok) {
        m_ui->progressBar->setValue(m_ui->progressBar->maximum());
        m_ui->statusLabel->setText(TKLocalizedString("export.done_fmt").arg(m_outcome.written.size()).arg(m_ui->folderField->text()));
    } else {
        m_ui->progressBar->setValue(0);
        m_ui->statusLabel->setText(m_outcome.error == "cancelled"
                                       ? TKLocalizedString("export.cancelled")
                                       : TKLocalizedString("export.failed_fmt").arg(QString::fromStdString(m_outcome.error)));
    }
    emit exportFinished(m_outcome.ok);
}

void VRDExportDialog::cancelOrClose()
{
    if (isExporting()) {
        m_cancel = true;
        return;
    }
    QDialog::reject();
}

void VRDExportDialog::reject()
{
    cancelOrClose();
}
