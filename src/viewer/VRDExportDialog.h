#pragma once

#include "export/VRDClipExporter.h"

#include <QDialog>
#include <QFutureWatcher>

#include <atomic>
#include <memory>
#include <optional>

namespace Ui {
class VRDExportDialog;
}

// Exports a marked clip: the target folder and the optional files are
// chosen here; the export runs on a worker thread with its progress shown
// and can be cancelled, which leaves no file of it behind.
class VRDExportDialog : public QDialog
{
    Q_OBJECT

public:
    // `request` carries the recording, range, instant and heard channel;
    // the dialog fills in the folder and the options. With `aroundCentre`
    // (seconds) the range is that many seconds either side of it, adjustable.
    VRDExportDialog(VRDClipExporter::Request request, const QString &folder, std::optional<double> aroundCentre,
                    QWidget *parent = nullptr);
    ~VRDExportDialog() override;

    // From the start until the outcome has been taken on the main thread.
    bool isExporting() const { return m_exporting; }
    // The outcome of the last export, for the window and tests.
    const VRDClipExporter::Outcome &outcome() const { return m_outcome; }

public slots:
    void startExport();
    void cancelOrClose();

signals:
    void exportFinished(bool ok);

private:
    void chooseFolder();
    void showClip();
    void aroundChanged(int seconds);
    void showProgress(double fraction);
    void exportDone();
    void reject() override;

    std::unique_ptr<Ui::VRDExportDialog> m_ui;
    VRDClipExporter::Request m_request;
    std::optional<double> m_aroundCentre;
    std::atomic<bool> m_cancel = false;
    QFutureWatcher<VRDClipExporter::Outcome> m_watcher;
    VRDClipExporter::Outcome m_outcome;
    bool m_exporting = false;
};
