#pragma once

#include "repair/VRDRepairOutcome.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class QAbstractButton;
class QProgressDialog;
class VRDAppDelegate;

// Recovery of cut-off recordings from the main window: a recording that will
// not play because the camera lost power is offered for recovery (with its
// cut-off twin), and a button of the head bar, shown while the folder holds
// cut-off recordings, recovers all of them. The work runs on a background
// thread with a progress window; afterwards the folder is read again, the
// library takes the recovered files and the recording asked for plays.
class VRDRecoveryController : public QObject
{
    Q_OBJECT

public:
    VRDRecoveryController(VRDAppDelegate &app, QAbstractButton &recoverAllButton);

public slots:
    // `path` failed to play; when it is cut off, tell so and offer recovery.
    void playbackFailed(const QString &path);
    void recoverFolder();
    // The library was read again: play what was just recovered, count what is left.
    void mediaListReloaded();

private:
    void recover(const QStringList &paths, const QString &playAfter);
    void recovered(const QList<VRDRepairOutcome> &outcomes, int asked);
    void countCutOffRecordings();
    QString twinOf(const QString &path) const;

    VRDAppDelegate &m_app;
    QAbstractButton &m_recoverAllButton;
    QPointer<QProgressDialog> m_progress;
    bool m_busy = false;
    QString m_playWhenListed;
    quint64 m_countGeneration = 0;
};
