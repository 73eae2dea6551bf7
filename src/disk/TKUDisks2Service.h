#pragma once

#include "disk/TKDiskService.h"

#include <QDBusConnection>
#include <QString>

#include <chrono>
#include <memory>

class TKUDisks2Signals;

// The disk service over UDisks2 on D-Bus. Every call asks the service afresh;
// nothing is cached. Safe to use from a background thread, except for the
// change handler, which belongs to the thread that set it.
class TKUDisks2Service : public TKDiskService {
public:
    // UDisks2 lives on the system bus; tests hand in a private bus.
    explicit TKUDisks2Service(QDBusConnection connection = QDBusConnection::systemBus(),
                              std::chrono::milliseconds mountRetryDelay = std::chrono::milliseconds(500));
    ~TKUDisks2Service() override;

    TKVolumeListing listVolumes() override;
    TKStatus<> mount(const TKVolumeDescription &volume) override;
    TKStatus<> unmount(const TKVolumeDescription &volume) override;
    TKStatus<> setLabel(const TKVolumeDescription &volume, const std::string &label) override;
    // Listens to the service's InterfacesAdded, InterfacesRemoved and
    // PropertiesChanged signals; call it on a thread with an event loop.
    void setVolumesChangedHandler(std::function<void()> handler) override;

private:
    TKStatus<> callFilesystem(const TKVolumeDescription &volume, const QString &method,
                              const QVariantList &arguments, const QString &harmlessError);

    QDBusConnection m_connection;
    std::chrono::milliseconds m_mountRetryDelay;
    std::unique_ptr<TKUDisks2Signals> m_signals;
};
