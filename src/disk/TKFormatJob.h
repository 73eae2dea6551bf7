#pragma once

#include "disk/TKFormatResult.h"

#include <QFutureWatcher>
#include <QObject>
#include <QString>

#include <filesystem>

class TKCommandRunner;
class TKDiskService;

Q_DECLARE_METATYPE(TKFormatStep)
Q_DECLARE_METATYPE(TKFormatResult)

// Runs the format sequence on a pool thread and reports its steps and result
// on the thread that owns the job, so a window can show them while it runs.
// The service and runner must outlive the job; destroying the job waits for
// a run in progress.
class TKFormatJob : public QObject {
    Q_OBJECT

public:
    TKFormatJob(TKDiskService &diskService, TKCommandRunner &runner, std::filesystem::path temporaryFolder,
                QObject *parent = nullptr);
    ~TKFormatJob() override;

    // False when a run is still going on.
    bool start(const QString &deviceName);
    bool isRunning() const;

signals:
    void stepReported(const TKFormatStep &step);
    void finished(const TKFormatResult &result);

private:
    TKDiskService &m_diskService;
    TKCommandRunner &m_runner;
    std::filesystem::path m_temporaryFolder;
    QFutureWatcher<TKFormatResult> m_watcher;
};
