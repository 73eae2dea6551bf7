#include "viewer/VRDRecoveryController.h"

#include "repair/VRDCutOffRecordings.h"
#include "repair/VRDRecordingRepairer.h"
#include "viewer/VRDAppDelegate.h"
#include "widgets/TKInterfaceHelpers.h"
#include "widgets/TKLocalization.h"

#include <QAbstractButton>
#include <QFile>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QMessageBox>
#include <QPushButton>
#include <QProgressDialog>
#include <QPromise>
#include <QtConcurrent/QtConcurrentRun>

#include <memory>

namespace {

std::string nativePath(const QString &path)
{
    return QFile::encodeName(path).toStdString();
}

QString fromNative(const std::string &path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

// Recovers the recordings one after the other on a background thread,
// reporting each outcome and stopping early when cancelled.
void recoverAll(QPromise<VRDRepairOutcome> &promise, const QStringList &paths)
{
    promise.setProgressRange(0, static_cast<int>(paths.size()));
    for (int i = 0; i < paths.size() && !promise.isCanceled(); ++i) {
        promise.setProgressValueAndText(i, QFileInfo(paths[i]).fileName());
        promise.addResult(VRDRecordingRepairer::repair({nativePath(paths[i])}));
    }
    promise.setProgressValue(static_cast<int>(paths.size()));
}

} // namespace

VRDRecoveryController::VRDRecoveryController(VRDAppDelegate &app, QAbstractButton &recoverAllButton)
    : QObject(&app), m_app(app), m_recoverAllButton(recoverAllButton)
{
    m_recoverAllButton.hide();
    connect(&m_recoverAllButton, &QAbstractButton::clicked, this, &VRDRecoveryController::recoverFolder);
}

void VRDRecoveryController::playbackFailed(const QString &failedPath)
{
    if (m_busy || !VRDRecordingRepairer::isCutOff(nativePath(failedPath)))
        return;
    // Either channel may fail first; the offer is about the recording that was chosen.
    QString path = failedPath;
    const qint64 row = m_app.mediaIndex();
    const auto chosen = row >= 0 ? m_app.mediaList().mediaAtIndex(static_cast<std::size_t>(row)) : nullptr;
    if (chosen && VRDRecordingRepairer::isCutOff(chosen->path()) && twinOf(fromNative(chosen->path())) == path)
        path = fromNative(chosen->path());
    m_busy = true;
    auto *box = new QMessageBox(QMessageBox::Warning, TKLocalizedString("msg.cut_off"),
                                TKLocalizedString("msg.cut_off"), QMessageBox::NoButton, &m_app.window());
    box->setInformativeText(TKLocalizedString("msg.cut_off_recover").arg(QFileInfo(path).fileName()));
    QAbstractButton *recoverButton = box->addButton(TKLocalizedString("player.recover"), QMessageBox::AcceptRole);
    box->addButton(QMessageBox::Cancel);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    connect(box, &QMessageBox::finished, this, [this, box, recoverButton, path] {
        m_busy = false;
        if (box->clickedButton() != recoverButton)
            return;
        QStringList paths{path};
        if (const QString twin = twinOf(path); !twin.isEmpty())
            paths.append(twin);
        recover(paths, path);
    });
    box->open();
}

void VRDRecoveryController::recoverFolder()
{
    if (m_busy)
        return;
    const QString folder = fromNative(m_app.mediaList().directoryPath());
    QStringList paths;
    for (const std::string &path : VRDCutOffRecordings::inFolder(nativePath(folder)))
        paths.append(fromNative(path));
    if (!paths.isEmpty())
        recover(paths, {});
}

void VRDRecoveryController::recover(const QStringList &paths, const QString &playAfter)
{
    m_busy = true;
    m_progress = new QProgressDialog(TKLocalizedString("msg.recovering"), TKLocalizedString("player.cancel"), 0,
                                     static_cast<int>(paths.size()), &m_app.window());
    m_progress->setAttribute(Qt::WA_DeleteOnClose);
    m_progress->setWindowModality(Qt::WindowModal);
    m_progress->setMinimumDuration(0);
    m_progress->setValue(0);

    auto *watcher = new QFutureWatcher<VRDRepairOutcome>(this);
    connect(watcher, &QFutureWatcherBase::progressValueChanged, m_progress, &QProgressDialog::setValue);
    connect(watcher, &QFutureWatcherBase::progressTextChanged, m_progress, [this](const QString &name) {
        m_progress->setLabelText(TKLocalizedString("msg.recovering") + "\n" + name);
    });
    connect(m_progress, &QProgressDialog::canceled, watcher, &QFutureWatcherBase::cancel);
    // Taken as they come: a cancelled future drops the results it holds.
    auto outcomes = std::make_shared<QList<VRDRepairOutcome>>();
    connect(watcher, &QFutureWatcherBase::resultReadyAt, this,
            [watcher, outcomes](int index) { outcomes->append(watcher->resultAt(index)); });
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, outcomes, playAfter, asked = paths.size()] {
        if (m_progress) {
            m_progress->disconnect(watcher);
            m_progress->close();
        }
        watcher->deleteLater();
        m_busy = false;
        for (const VRDRepairOutcome &outcome : *outcomes) {
            if (outcome.status == VRDRepairOutcome::Status::Recovered && fromNative(outcome.input) == playAfter)
                m_playWhenListed = fromNative(outcome.output);
        }
        recovered(*outcomes, static_cast<int>(asked));
    });
    watcher->setFuture(QtConcurrent::run(recoverAll, paths));
}

void VRDRecoveryController::recovered(const QList<VRDRepairOutcome> &outcomes, int asked)
{
    int done = 0;
    QStringList failures;
    for (const VRDRepairOutcome &outcome : outcomes) {
        if (outcome.status == VRDRepairOutcome::Status::Failed)
            failures.append(QFileInfo(fromNative(outcome.input)).fileName() + ": " + fromNative(outcome.error));
        else
            ++done;
    }
    // Read the folder again: the library takes each recovered file in place of its original.
    m_app.openMediaDirectory(fromNative(m_app.mediaList().directoryPath()));
    if (!failures.isEmpty() || m_playWhenListed.isEmpty())
        TKShowAlert(&m_app.window(), TKLocalizedString("msg.recovered").arg(done).arg(asked), failures.join('\n'));
}

void VRDRecoveryController::mediaListReloaded()
{
    if (!m_playWhenListed.isEmpty()) {
        const VRDMediaList &list = m_app.mediaList();
        for (std::size_t row = 0; row < list.count(); ++row) {
            if (fromNative(list.mediaAtIndex(row)->path()) == m_playWhenListed) {
                emit m_app.changeAndPlayRequested(static_cast<int>(row));
                break;
            }
        }
        m_playWhenListed.clear();
    }
    countCutOffRecordings();
}

void VRDRecoveryController::countCutOffRecordings()
{
    const quint64 generation = ++m_countGeneration;
    auto *watcher = new QFutureWatcher<int>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, generation] {
        const int count = watcher->result();
        watcher->deleteLater();
        if (generation != m_countGeneration)
            return;
        m_recoverAllButton.setText(TKLocalizedString("player.recover_all").arg(count));
        m_recoverAllButton.setVisible(count > 0);
    });
    watcher->setFuture(QtConcurrent::run(
        [folder = m_app.mediaList().directoryPath()] { return static_cast<int>(VRDCutOffRecordings::inFolder(folder).size()); }));
}

QString VRDRecoveryController::twinOf(const QString &path) const
{
    const std::optional<VRDMediaPair> pair = m_app.mediaList().findMediaPairWithFileName(nativePath(path));
    if (!pair || !pair->frontMedia || !pair->rearMedia)
        return {};
    const std::string &front = pair->frontMedia->path();
    const std::string twin = nativePath(path) == front ? pair->rearMedia->path() : front;
    return VRDRecordingRepairer::isCutOff(twin) ? fromNative(twin) : QString();
}
