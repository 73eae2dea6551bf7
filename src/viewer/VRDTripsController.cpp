#include "viewer/VRDTripsController.h"

#include "viewer/VRDTripsIndexer.h"
#include "viewer/VRDTripsView.h"
#include "widgets/TKMapPage.h"

#include <algorithm>

VRDTripsController::VRDTripsController(VRDTripsView &view, TKMapPage *mapPage, QObject *parent)
    : QObject(parent), m_view(view), m_mapPage(mapPage), m_indexer(new VRDTripsIndexer(this))
{
    connect(m_indexer, &VRDTripsIndexer::progressChanged, this, &VRDTripsController::showProgress);
    connect(m_indexer, &VRDTripsIndexer::tripsReady, this, &VRDTripsController::showTrips);
    connect(&m_view, &VRDTripsView::tripSelected, this, &VRDTripsController::showRoute);
    connect(&m_view, &VRDTripsView::momentRequested, this, &VRDTripsController::momentRequested);
}

void VRDTripsController::openFolder(const QString &folder)
{
    m_view.setTrips({});
    showProgress(0);
    m_indexer->start(folder);
}

void VRDTripsController::showProgress(int recordingsRead)
{
    m_view.setStatus(qtTrId("trips.reading").arg(recordingsRead));
}

void VRDTripsController::showTrips()
{
    std::vector<VRDTrip> trips = m_indexer->result()->trips;
    const auto drives = std::count_if(trips.begin(), trips.end(), [](const VRDTrip &t) { return t.kind == VRDTrip::Kind::Drive; });
    m_view.setStatus(qtTrId("trips.summary").arg(drives).arg(static_cast<qsizetype>(trips.size()) - drives));
    m_view.setTrips(std::move(trips));
}

void VRDTripsController::showRoute(int row)
{
    if (m_mapPage == nullptr || row < 0 || row >= static_cast<int>(m_view.trips().size()))
        return;
    QList<QList<TKMapPage::SpeedPoint>> stretches;
    for (const std::vector<VRDTripPoint> &stretch : m_view.trips()[static_cast<std::size_t>(row)].stretches) {
        QList<TKMapPage::SpeedPoint> points;
        points.reserve(static_cast<qsizetype>(stretch.size()));
        for (const VRDTripPoint &point : stretch)
            points.append({point.latitude, point.longitude, point.speedKmh});
        stretches.append(points);
    }
    m_mapPage->setTripRoute(stretches);
}
