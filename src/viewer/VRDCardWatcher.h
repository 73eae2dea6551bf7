#pragma once

#include "disk/TKDiskService.h"
#include "disk/TKVolumeChanges.h"

#include <QFutureWatcher>
#include <QObject>
#include <QTimer>

#include <memory>


// Tells the main window when a dashcam card is mounted or a mounted volume
// goes. The disk service's signals come in bursts, so it lists the volumes
// once after they settle, on a background thread.
class VRDCardWatcher : public QObject
{
    Q_OBJECT

public:
    static constexpr int kSettleMilliseconds = 300;

    explicit VRDCardWatcher(std::shared_ptr<TKDiskService> service, QObject *parent = nullptr);
    ~VRDCardWatcher() override;

signals:
    void cardMounted(const QString &mountPath, const QString &label);
    void volumeUnmounted(const QString &mountPath);

private:
    void listVolumes();
    void takeListing(const TKVolumeListing &listing);

    std::shared_ptr<TKDiskService> m_service;
    TKVolumeChanges m_changes;
    QTimer m_settle;
    QFutureWatcher<TKVolumeListing> m_listing;
    bool m_listAgain = false;
};
