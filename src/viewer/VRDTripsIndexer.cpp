#include "viewer/VRDTripsIndexer.h"

#include <QFile>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>

namespace {

constexpr std::chrono::milliseconds kProgressPoll{200};
constexpr std::chrono::milliseconds kPartialInterval{300};

} // namespace

VRDTripsIndexer::VRDTripsIndexer(QObject *parent)
    : QObject(parent), m_partialInterval(kPartialInterval)
{
    m_progressPoll.setInterval(kProgressPoll);
    connect(&m_progressPoll, &QTimer::timeout, this, &VRDTripsIndexer::poll);
    connect(&m_watcher, &QFutureWatcher<Result>::finished, this, &VRDTripsIndexer::takeResult);
}

VRDTripsIndexer::~VRDTripsIndexer()
{
    m_stop.request_stop();
    m_watcher.waitForFinished();
}

void VRDTripsIndexer::setUpdateInterval(std::chrono::milliseconds interval)
{
    m_partialInterval = interval;
    m_progressPoll.setInterval(std::min(interval, kProgressPoll));
}

VRDTripsIndexer::Trips VRDTripsIndexer::trips() const
{
    return m_result ? Trips(m_result, &m_result->trips) : Trips();
}

void VRDTripsIndexer::start(const QString &folder)
{
    m_stop.request_stop();
    m_stop = std::stop_source();
    m_progress = std::make_shared<Progress>();
    m_total = 0;
    m_partial.reset();
    const std::string path = QFile::encodeName(folder).toStdString();
    VRDCardTrips::Options options;
    options.partialInterval = m_partialInterval;
    // The job owns what it touches: its progress and its stop token.
    options.partial = [progress = m_progress](VRDPartialTrips::Snapshot snapshot) {
        const std::lock_guard lock(progress->lock);
        progress->latest = std::move(snapshot);
        progress->fresh = true;
    };
    m_watcher.setFuture(QtConcurrent::run([path, options, progress = m_progress, stop = m_stop.get_token()]() -> Result {
        return std::make_shared<VRDCardTrips::Result>(VRDCardTrips::read(
            path, options, [progress](std::size_t, const VRDRecordingTrack &) { ++progress->read; }, stop));
    }));
    m_progressPoll.start();
}

void VRDTripsIndexer::poll()
{
    if (!m_progress)
        return;
    Trips partial;
    {
        const std::lock_guard lock(m_progress->lock);
        if (m_progress->fresh) {
            partial = m_progress->latest.trips;
            m_total = static_cast<int>(m_progress->latest.recordingsTotal);
            m_progress->fresh = false;
        }
    }
    emit progressChanged(m_progress->read.load(), m_total);
    if (partial) {
        m_partial = std::move(partial);
        emit partialTripsReady();
    }
}

void VRDTripsIndexer::takeResult()
{
    m_progressPoll.stop();
    const Result result = m_watcher.result();
    if (!result || result->stopped)
        return;
    m_result = result;
    m_partial.reset();
    m_progress.reset();
    emit tripsReady();
}
