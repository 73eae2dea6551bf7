#include "viewer/VRDTripsController.h"

#include "trips/VRDTripGpxWriter.h"
#include "viewer/VRDTripsIndexer.h"
#include "widgets/TKMapPage.h"

#include <QAbstractButton>
#include <QDateEdit>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSaveFile>
#include <QSignalBlocker>

#include <algorithm>
#include <cmath>

namespace {

QDate localDay(double utcSeconds)
{
    return QDateTime::fromSecsSinceEpoch(static_cast<qint64>(std::floor(utcSeconds))).toLocalTime().date();
}

QString eventLabel(const VRDTripEvent &event)
{
    const QString time = QDateTime::fromSecsSinceEpoch(static_cast<qint64>(std::floor(event.utcSeconds)))
                             .toLocalTime()
                             .toString(QStringLiteral("HH:mm:ss"));
    return event.peakG ? QStringLiteral("%1 · %2 g").arg(time).arg(*event.peakG, 0, 'f', 2) : time;
}

} // namespace

VRDTripsController::VRDTripsController(VRDTripsView &view, TKMapPage *mapPage, QObject *parent)
    : QObject(parent), m_view(view), m_mapPage(mapPage), m_indexer(new VRDTripsIndexer(this))
{
    m_dialogs.askSavePath = [this](const QString &proposedName) {
        const QString path = QFileDialog::getSaveFileName(m_view.window(), qtTrId("trips.export_title"),
                                                          QDir(m_exportFolder).filePath(proposedName),
                                                          QStringLiteral("GPX (*.gpx)"));
        if (!path.isEmpty())
            m_exportFolder = QFileInfo(path).absolutePath();
        return path;
    };
    m_dialogs.showError = [this](const QString &message) {
        QMessageBox::warning(m_view.window(), qtTrId("trips.export_title"), message);
    };
    connect(m_indexer, &VRDTripsIndexer::progressChanged, this, &VRDTripsController::showProgress);
    connect(m_indexer, &VRDTripsIndexer::partialTripsReady, this, &VRDTripsController::showPartialTrips);
    connect(m_indexer, &VRDTripsIndexer::tripsReady, this, &VRDTripsController::showTrips);
    connect(&m_view, &VRDTripsView::tripsReplaced, this, [this] {
        locatePlaying(false);
        updateToolBar();
    });
    connect(&m_view, &VRDTripsView::tripSelected, this, &VRDTripsController::showRoute);
    connect(&m_view, &VRDTripsView::momentRequested, this, &VRDTripsController::momentRequested);
    connect(&m_view, &VRDTripsView::exportRequested, this, &VRDTripsController::exportTrip);
    if (m_mapPage != nullptr)
        connect(m_mapPage, &TKMapPage::routeClicked, this, &VRDTripsController::playNearest);
}

void VRDTripsController::attachToolBar(QAbstractButton &exportButton, QDateEdit &dateEdit)
{
    m_exportButton = &exportButton;
    m_dateEdit = &dateEdit;
    exportButton.setText(qtTrId("trips.export_gpx"));
    connect(&exportButton, &QAbstractButton::clicked, this, &VRDTripsController::exportSelectedTrip);
    connect(&dateEdit, &QDateEdit::dateChanged, this, &VRDTripsController::jumpToDate);
    updateToolBar();
}

void VRDTripsController::openFolder(const QString &folder)
{
    m_mappedTrips.reset();
    m_view.setTrips(std::vector<VRDTrip>{});
    if (m_mapPage != nullptr) {
        m_mapPage->setTripRoute({});
        m_mapPage->setTripEvents({});
    }
    showProgress(0, 0);
    m_indexer->start(folder);
}

void VRDTripsController::showProgress(int recordingsRead, int total)
{
    m_view.setStatus(total > 0 ? qtTrId("trips.reading_of").arg(recordingsRead).arg(total)
                               : qtTrId("trips.reading").arg(recordingsRead));
}

void VRDTripsController::showPartialTrips()
{
    m_view.setTrips(m_indexer->partialTrips());
}

void VRDTripsController::showTrips()
{
    const VRDTripsView::Trips trips = m_indexer->trips();
    const auto drives = std::count_if(trips->begin(), trips->end(), [](const VRDTrip &t) { return t.kind == VRDTrip::Kind::Drive; });
    m_view.setStatus(qtTrId("trips.summary").arg(drives).arg(static_cast<qsizetype>(trips->size()) - drives));
    m_view.setTrips(trips);
    // The drive on the map may have grown while the card was read.
    if (m_view.selectedRow() >= 0)
        showRoute(m_view.selectedRow());
}

void VRDTripsController::updateToolBar()
{
    const std::vector<VRDTrip> &trips = m_view.trips();
    const int row = m_view.selectedRow();
    if (m_exportButton != nullptr)
        m_exportButton->setEnabled(row >= 0 && !trips[static_cast<std::size_t>(row)].stretches.empty());
    if (m_dateEdit == nullptr)
        return;
    m_dateEdit->setEnabled(!trips.empty());
    if (trips.empty())
        return;
    // Setting the range moves the date into it, and the field shows the day
    // of a drive chosen elsewhere; neither is a jump.
    const QSignalBlocker quiet(m_dateEdit);
    m_dateEdit->setDateRange(localDay(trips.front().startUtc), localDay(trips.back().startUtc));
    if (row >= 0 && !m_jumping)
        m_dateEdit->setDate(localDay(trips[static_cast<std::size_t>(row)].startUtc));
}

void VRDTripsController::showRoute(int row)
{
    updateToolBar();
    if (m_mapPage == nullptr || row < 0 || row >= static_cast<int>(m_view.trips().size()))
        return;
    m_mappedTrips = m_view.sharedTrips();
    m_mappedRow = static_cast<std::size_t>(row);
    const VRDTrip &trip = (*m_mappedTrips)[m_mappedRow];
    std::size_t pointCount = 0;
    for (const std::vector<VRDTripPoint> &stretch : trip.stretches)
        pointCount += stretch.size();
    // Every n-th point and each stretch's ends: the shape stays, the page stays quick.
    const std::size_t step = std::max<std::size_t>(1, (pointCount + kMapPointLimit - 1) / kMapPointLimit);
    QList<QList<TKMapPage::SpeedPoint>> stretches;
    for (const std::vector<VRDTripPoint> &stretch : trip.stretches) {
        QList<TKMapPage::SpeedPoint> points;
        points.reserve(static_cast<qsizetype>(stretch.size() / step + 2));
        for (std::size_t i = 0; i < stretch.size(); ++i) {
            if (i % step == 0 || i + 1 == stretch.size())
                points.append({stretch[i].latitude, stretch[i].longitude, stretch[i].speedKmh});
        }
        stretches.append(points);
    }
    m_mapPage->setTripRoute(stretches);

    QList<TKMapPage::EventMark> marks;
    for (const VRDTripEvent &event : trip.events) {
        const VRDTripPoint *point = trip.pointNearestInTime(event.utcSeconds);
        // An event where the route has a gap has no place on it.
        if (point != nullptr && std::abs(point->utcSeconds - event.utcSeconds) <= kEventPlaceSeconds)
            marks.append({point->latitude, point->longitude, eventLabel(event)});
    }
    m_mapPage->setTripEvents(marks);
}

void VRDTripsController::playNearest(double latitude, double longitude)
{
    if (!m_mappedTrips || m_mappedRow >= m_mappedTrips->size())
        return;
    const VRDTrip &trip = (*m_mappedTrips)[m_mappedRow];
    const VRDTripPoint *point = trip.nearestPoint(latitude, longitude);
    if (point == nullptr || point->recording >= trip.recordings.size())
        return;
    emit momentRequested(QFile::decodeName(QByteArray::fromStdString(trip.recordings[point->recording])), point->offsetSeconds);
}

void VRDTripsController::showPlaying(const QString &channelPath, double offsetSeconds)
{
    m_playingOffset = offsetSeconds;
    if (channelPath != m_playingPath) {
        m_playingPath = channelPath;
        locatePlaying(true);
        return;
    }
    movePlayhead();
}

void VRDTripsController::locatePlaying(bool follow)
{
    const int before = m_playingRow;
    m_playingRow = -1;
    const std::string wanted = QFile::encodeName(m_playingPath).toStdString();
    const std::vector<VRDTrip> &trips = m_view.trips();
    for (std::size_t row = 0; row < trips.size() && m_playingRow < 0 && !wanted.empty(); ++row) {
        const std::vector<std::string> &recordings = trips[row].recordings;
        const auto found = std::find(recordings.begin(), recordings.end(), wanted);
        if (found != recordings.end() && static_cast<std::size_t>(found - recordings.begin()) < trips[row].blocks.size()) {
            m_playingRow = static_cast<int>(row);
            m_playingBlock = static_cast<std::size_t>(found - recordings.begin());
        }
    }
    // Playback moved on to another drive: that drive is the one to see.
    if (follow && m_playingRow >= 0 && m_playingRow != before) {
        m_view.selectRow(m_playingRow);
        m_view.scrollToRow(m_playingRow);
    }
    movePlayhead();
}

void VRDTripsController::movePlayhead()
{
    if (m_playingRow < 0) {
        m_view.clearPlayhead();
        return;
    }
    const VRDTripBlock &block = m_view.trips()[static_cast<std::size_t>(m_playingRow)].blocks[m_playingBlock];
    const double length = std::max(block.endUtc - block.startUtc, 0.0);
    m_view.setPlayhead(m_playingRow, block.startUtc + std::clamp(m_playingOffset, 0.0, length));
}

void VRDTripsController::exportSelectedTrip()
{
    exportTrip(m_view.selectedRow());
}

void VRDTripsController::exportTrip(int row)
{
    if (row < 0 || row >= static_cast<int>(m_view.trips().size()))
        return;
    const VRDTrip &trip = m_view.trips()[static_cast<std::size_t>(row)];
    if (trip.stretches.empty()) {
        m_dialogs.showError(qtTrId("trips.no_route"));
        return;
    }
    const std::string text = VRDTripGpxWriter::write(trip);
    const QString path = m_dialogs.askSavePath(QString::fromStdString(VRDTripGpxWriter::fileName(trip)));
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    const bool written = file.open(QIODevice::WriteOnly)
        && file.write(text.data(), static_cast<qint64>(text.size())) == static_cast<qint64>(text.size()) && file.commit();
    if (!written)
        m_dialogs.showError(qtTrId("trips.export_failed").arg(QDir::toNativeSeparators(path), file.errorString()));
}

void VRDTripsController::jumpToDate(QDate day)
{
    const int row = m_view.firstRowOnOrAfter(day);
    if (row < 0)
        return;
    // The day field keeps what the user is typing.
    m_jumping = true;
    m_view.selectRow(row);
    m_jumping = false;
    m_view.scrollToRow(row);
}
