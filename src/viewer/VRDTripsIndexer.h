#pragma once

#include "trips/VRDCardTrips.h"

#include <QFutureWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include <atomic>
#include <memory>
#include <stop_token>

// Reads the drives of a card folder in the background (VRDCardTrips on a
// pool thread, the data tracks on its own pool) and hands the finished
// result to the main thread. A new folder stops the job of the previous one;
// its result is dropped. While a job runs, the number of recordings read so
// far is polled on the main thread.
class VRDTripsIndexer : public QObject
{
    Q_OBJECT

public:
    using Result = std::shared_ptr<const VRDCardTrips::Result>;

    explicit VRDTripsIndexer(QObject *parent = nullptr);
    // Stops a running job and waits for it.
    ~VRDTripsIndexer() override;

    void start(const QString &folder);
    bool isRunning() const { return m_watcher.isRunning(); }
    // The last finished folder's drives; null before the first.
    const Result &result() const { return m_result; }

signals:
    void progressChanged(int recordingsRead);
    void tripsReady();

private:
    void takeResult();

    QFutureWatcher<Result> m_watcher;
    QTimer m_progressPoll;
    std::stop_source m_stop;
    std::shared_ptr<std::atomic<int>> m_read;
    Result m_result;
};
