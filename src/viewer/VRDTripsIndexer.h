#pragma once

#include "trips/VRDCardTrips.h"

#include <QFutureWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <stop_token>
#include <vector>

// Reads the drives of a card folder in the background (VRDCardTrips on a
// pool thread, the data tracks on its own pool) and hands them to the main
// thread: the drives of the recordings read so far while the job runs, then
// the finished result. A new folder stops the job of the previous one; its
// results are dropped. While a job runs, the main thread polls the number
// of recordings read and the latest grouping a few times a second, so a
// large card never floods it with work.
class VRDTripsIndexer : public QObject
{
    Q_OBJECT

public:
    using Result = std::shared_ptr<const VRDCardTrips::Result>;
    using Trips = std::shared_ptr<const std::vector<VRDTrip>>;

    explicit VRDTripsIndexer(QObject *parent = nullptr);
    // Stops a running job and waits for it.
    ~VRDTripsIndexer() override;

    void start(const QString &folder);
    // How often the drives read so far are grouped and handed over (tests:
    // often, so a small card shows them too).
    void setUpdateInterval(std::chrono::milliseconds interval);
    bool isRunning() const { return m_watcher.isRunning(); }
    // The last finished folder's drives; null before the first.
    const Result &result() const { return m_result; }
    // The running job's drives so far; null before its first grouping.
    const Trips &partialTrips() const { return m_partial; }
    // The drives of the finished result, sharing it; null before the first.
    Trips trips() const;

signals:
    // `total` is 0 until the folder's recordings are counted.
    void progressChanged(int recordingsRead, int total);
    void partialTripsReady();
    void tripsReady();

private:
    // What a job shares with the main thread.
    struct Progress {
        std::atomic<int> read{0};
        std::mutex lock;
        VRDPartialTrips::Snapshot latest;
        bool fresh = false;
    };

    void poll();
    void takeResult();

    QFutureWatcher<Result> m_watcher;
    QTimer m_progressPoll;
    std::stop_source m_stop;
    std::shared_ptr<Progress> m_progress;
    std::chrono::milliseconds m_partialInterval;
    int m_total = 0;
    Trips m_partial;
    Result m_result;
};
