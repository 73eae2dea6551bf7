#pragma once

#include "disk/TKDiskService.h"

#include <QDBusConnection>
#include <QString>

#include <chrono>

// The disk service over UDisks2 on D-Bus. Every call asks the service afresh;
// nothing is cached. Safe to use from a background thread.
class TKUDisks2Service : public TKDiskService {
public:
    // UDisks2 lives on the system bus; tests hand in a private bus.
    explicit TKUDisks2Service(QDBusConnection connection = QDBusConnection::systemBus(),
                              std::chrono::milliseconds mountRetryDelay = std::chrono::milliseconds(500));

    TKVolumeListing listVolumes() override;
    TKStatus<> mount(const TKVolumeDescription &volume) override;
    TKStatus<> unmount(const TKVolumeDescription &volume) override;
    TKStatus<> setLabel(const TKVolumeDescription &volume, const std::string &label) override;

private:
    TKStatus<> callFilesystem(const TKVolumeDescription &volume, const QString &method,
                                              const QVariantList &arguments, const QString &harmlessError);

    QDBusConnection m_connection;
    std::chrono::milliseconds m_mountRetryDelay;
};
