#pragma once

#include <QObject>
#include <QString>

class TKMapPage;
class VRDTripsIndexer;
class VRDTripsView;

// The drives panel of the main window: reads the drives of each folder the
// window opens, shows the progress and then the drives in the view, and
// draws the chosen drive's route coloured by speed on the map.
class VRDTripsController : public QObject
{
    Q_OBJECT

public:
    // The map page may be null (no map).
    VRDTripsController(VRDTripsView &view, TKMapPage *mapPage, QObject *parent = nullptr);

    void openFolder(const QString &folder);
    VRDTripsIndexer &indexer() { return *m_indexer; }

signals:
    // A click on a time line: play this recording from this moment.
    void momentRequested(const QString &path, double offsetSeconds);

private:
    void showProgress(int recordingsRead);
    void showTrips();
    void showRoute(int row);

    VRDTripsView &m_view;
    TKMapPage *m_mapPage;
    VRDTripsIndexer *m_indexer;
};
