#include "disk/TKFormatJob.h"

#include "disk/TKFormatSequence.h"

#include <QMetaObject>
#include <QtConcurrent>

TKFormatJob::TKFormatJob(TKDiskService &diskService, TKCommandRunner &runner, std::filesystem::path temporaryFolder,
                         QObject *parent)
    : QObject(parent)
    , m_diskService(diskService)
    , m_runner(runner)
    , m_temporaryFolder(std::move(temporaryFolder))
{
    qRegisterMetaType<TKFormatStep>();
    qRegisterMetaType<TKFormatResult>();
    connect(&m_watcher, &QFutureWatcher<TKFormatResult>::finished, this,
            [this] { emit finished(m_watcher.result()); });
}

TKFormatJob::~TKFormatJob()
{
    m_watcher.waitForFinished();
}

bool TKFormatJob::isRunning() const
{
    return m_watcher.isRunning();
}

bool TKFormatJob::start(const QString &deviceName)
{
    if (isRunning())
        return false;
    // Queued to this object's thread; dropped by Qt if the job is gone by then.
    const TKFormatSequence::StepObserver observer = [this](const TKFormatStep &step) {
        QMetaObject::invokeMethod(this, [this, step] { emit stepReported(step); }, Qt::QueuedConnection);
    };
    TKDiskService &diskService = m_diskService;
    TKCommandRunner &runner = m_runner;
    const std::filesystem::path temporaryFolder = m_temporaryFolder;
    m_watcher.setFuture(QtConcurrent::run([&diskService, &runner, temporaryFolder, observer,
                                           name = deviceName.toStdString()] {
        TKFormatSequence sequence(diskService, runner, temporaryFolder);
        return sequence.run(name, observer);
    }));
    return true;
}
