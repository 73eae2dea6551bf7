#include "viewer/VRDTripsIndexer.h"

#include <QFile>
#include <QtConcurrent/QtConcurrentRun>

namespace {

constexpr int kProgressPollMs = 200;

} // namespace

VRDTripsIndexer::VRDTripsIndexer(QObject *parent)
    : QObject(parent)
{
    m_progressPoll.setInterval(kProgressPollMs);
    connect(&m_progressPoll, &QTimer::timeout, this, [this] { emit progressChanged(m_read ? m_read->load() : 0); });
    connect(&m_watcher, &QFutureWatcher<Result>::finished, this, &VRDTripsIndexer::takeResult);
}

VRDTripsIndexer::~VRDTripsIndexer()
{
    m_stop.request_stop();
    m_watcher.waitForFinished();
}

void VRDTripsIndexer::start(const QString &folder)
{
    m_stop.request_stop();
    m_stop = std::stop_source();
    m_read = std::make_shared<std::atomic<int>>(0);
    const std::string path = QFile::encodeName(folder).toStdString();
    // The job owns what it touches: its counter and its stop token.
    m_watcher.setFuture(QtConcurrent::run([path, read = m_read, stop = m_stop.get_token()]() -> Result {
        auto result = std::make_shared<VRDCardTrips::Result>(VRDCardTrips::read(
            path, VRDCardTrips::Options{}, [read](std::size_t, const VRDRecordingTrack &) { ++*read; }, stop));
        return result;
    }));
    m_progressPoll.start();
}

void VRDTripsIndexer::takeResult()
{
    m_progressPoll.stop();
    const Result result = m_watcher.result();
    if (!result || result->stopped)
        return;
    m_result = result;
    emit tripsReady();
}
