#pragma once

#include "viewer/VRDTripsView.h"

#include <QDate>
#include <QDir>
#include <QObject>
#include <QString>

#include <functional>

class QAbstractButton;
class QDateEdit;
class TKMapPage;
class VRDTripsIndexer;

// The drives panel of the main window: reads the drives of each folder the
// window opens and shows them as they arrive, with the progress; draws the
// chosen drive's route coloured by speed with its events on the map and
// plays the moment nearest a click on it; follows playback with the play
// head (choosing and showing the drive that plays when playback moves on to
// another one); exports a drive as GPX and jumps to a day.
class VRDTripsController : public QObject
{
    Q_OBJECT

public:
    // The questions the export asks the user; tests answer them.
    struct Dialogs {
        // The path to save to, proposing a file name; empty when cancelled.
        std::function<QString(const QString &proposedName)> askSavePath;
        std::function<void(const QString &message)> showError;
    };

    // The map page may be null (no map).
    VRDTripsController(VRDTripsView &view, TKMapPage *mapPage, QObject *parent = nullptr);

    void openFolder(const QString &folder);
    VRDTripsIndexer &indexer() { return *m_indexer; }
    void setDialogs(Dialogs dialogs) { m_dialogs = std::move(dialogs); }
    // The panel's export button and day field.
    void attachToolBar(QAbstractButton &exportButton, QDateEdit &dateEdit);

    // Playback plays the recording (the channel the drives are read from)
    // at this many seconds after its first sample; an empty path: none plays.
    void showPlaying(const QString &channelPath, double offsetSeconds);
    // Writes the drive's route as GPX where the user chooses.
    void exportTrip(int row);
    void exportSelectedTrip();
    // Chooses and shows the first drive on or after the day.
    void jumpToDate(QDate day);

    // The greatest number of route points sent to the map for one drive: a
    // long drive is thinned so the page stays quick.
    static constexpr int kMapPointLimit = 6000;
    // An event is marked on the route at the point nearest in time when one
    // lies this close.
    static constexpr double kEventPlaceSeconds = 10.0;

signals:
    // A click on a time line or the route: play this recording from this moment.
    void momentRequested(const QString &path, double offsetSeconds);

private:
    void showProgress(int recordingsRead, int total);
    void showPartialTrips();
    void showTrips();
    void showRoute(int row);
    void playNearest(double latitude, double longitude);
    // Where the playing recording lies: its row and its block, or -1.
    // `follow`: playback moved, so a new drive is chosen and shown.
    void locatePlaying(bool follow);
    void movePlayhead();
    void updateToolBar();

    VRDTripsView &m_view;
    TKMapPage *m_mapPage;
    VRDTripsIndexer *m_indexer;
    Dialogs m_dialogs;
    QString m_exportFolder = QDir::homePath();
    QAbstractButton *m_exportButton = nullptr;
    QDateEdit *m_dateEdit = nullptr;
    bool m_jumping = false;
    // The drives of the route on the map, and which of them it is.
    VRDTripsView::Trips m_mappedTrips;
    std::size_t m_mappedRow = 0;
    QString m_playingPath;
    double m_playingOffset = 0;
    int m_playingRow = -1;
    std::size_t m_playingBlock = 0;
};
