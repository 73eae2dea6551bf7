#pragma once

#include <QObject>
#include <QPointF>
#include <QStringList>
#include <QTimer>

#include <memory>

struct TKMapSource;
class QWebEngineProfile;
class TKTileResponder;
class QWebEngineView;
class TKMapWebPage;
class QWebChannel;

// Shows the map page "map2_eng.htm" in a web view and carries the script calls to
// it, and the page's clicks on a drive's route back (over a web channel). loadFinished comes before the page's scripts can take calls, so the page is
// asked for its window.tovikReady flag until it answers; calls made before then
// wait and run in order once it does. Tiles come through the application's own
// scheme from the tile store, with the map source of the preferences.
class TKMapPage : public QObject
{
    Q_OBJECT

public:
    static constexpr const char *kPageUrl = "qrc:/map/map2_eng.htm";

    explicit TKMapPage(QWebEngineView *view, QObject *parent = nullptr);
    // Serves the tiles from the given responder (tests: a store of their own, no network).
    TKMapPage(QWebEngineView *view, std::shared_ptr<TKTileResponder> tiles, QObject *parent = nullptr);
    ~TKMapPage() override;

    bool isReady() const { return m_ready; }
    // Runs the script in the page now, or as soon as the page is ready.
    void runScript(const QString &script);
    // Draws the whole route (latitude in x, longitude in y) and fits the map to it.
    void setRoute(const QList<QPointF> &latitudeLongitude);
    // Takes the tiles from the new source from now on and draws them anew.
    void setMapSource(const TKMapSource &source);
    const TKTileResponder &tiles() const { return *m_tiles; }

    struct SpeedPoint {
        double latitude;
        double longitude;
        double kmh;
    };
    // Draws a drive's stretches of route coloured by speed, with a legend,
    // under the recording's route, and fits the map to it; none removes it.
    void setTripRoute(const QList<QList<SpeedPoint>> &stretches);

    struct EventMark {
        double latitude;
        double longitude;
        QString label;
    };
    // Marks a drive's events on its route; none removes them.
    void setTripEvents(const QList<EventMark> &events);

signals:
    void ready();
    // The user clicked the drive's route (or an event on it) at this place,
    // in range.
    void routeClicked(double latitude, double longitude);

private:
    void askWhetherReady();
    void becomeReady();

    std::shared_ptr<TKTileResponder> m_tiles;
    QWebEngineProfile *m_profile;
    TKMapWebPage *m_page;
    QWebChannel *m_channel;
    QTimer m_readyPoll;
    QStringList m_waitingScripts;
    bool m_ready = false;
};
