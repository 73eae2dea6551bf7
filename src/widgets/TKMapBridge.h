#pragma once

#include <QJsonValue>
#include <QObject>

// What the map page may tell the application, over the page's web channel
// as the object "tovikApp". The page is outside data: a call carries
// whatever its script passed, so only finite numbers in range get through.
class TKMapBridge : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // The user clicked the drive's route at this place.
    Q_INVOKABLE void routeClicked(const QJsonValue &latitude, const QJsonValue &longitude);

signals:
    void routePicked(double latitude, double longitude);
};
