#include "viewer/VRDCardWatcher.h"


#include <QFileInfo>
#include <QtConcurrent>

VRDCardWatcher::VRDCardWatcher(std::shared_ptr<TKDiskService> service, QObject *parent)
    : QObject(parent),
      m_service(std::move(service)),
      m_changes([](const std::string &path) { return QFileInfo::exists(QString::fromStdString(path)); })
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMilliseconds);
    connect(&m_settle, &QTimer::timeout, this, &VRDCardWatcher::listVolumes);
    connect(&m_listing, &QFutureWatcher<TKVolumeListing>::finished, this, [this] {
        takeListing(m_listing.result());
        if (std::exchange(m_listAgain, false))
            listVolumes();
    });
    m_service->setVolumesChangedHandler([this] { m_settle.start(); });
    // The first listing only notes what is mounted already.
    listVolumes();
}

VRDCardWatcher::~VRDCardWatcher()
{
    m_service->setVolumesChangedHandler({});
    m_listing.disconnect(this);
}

void VRDCardWatcher::listVolumes()
{
    if (m_listing.isRunning()) {
        m_listAgain = true;
        return;
    }
    // The task holds the service, so a listing still running when the window closes is harmless.
    std::shared_ptr<TKDiskService> service = m_service;
    m_listing.setFuture(QtConcurrent::run([service] { return service->listVolumes(); }));
}

void VRDCardWatcher::takeListing(const TKVolumeListing &listing)
{
    // A failed listing says nothing of what is mounted.
    if (!listing.problem.empty())
        return;
    const TKVolumeChangeList changes = m_changes.update(listing.volumes);
    for (const std::string &path : changes.unmountedPaths)
        emit volumeUnmounted(QString::fromStdString(path));
    for (const TKVolumeDescription &card : changes.mountedCards)
        emit cardMounted(QString::fromStdString(card.mountPath), QString::fromStdString(card.volumeName));
}
