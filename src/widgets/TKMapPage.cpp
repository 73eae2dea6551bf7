#include "widgets/TKMapPage.h"

#include "maps/TKMapSource.h"
#include "maps/TKNetworkTileFetcher.h"
#include "maps/TKTileResponder.h"
#include "widgets/TKMapBridge.h"
#include "widgets/TKMapWebPage.h"
#include "widgets/TKTileSchemeHandler.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSettings>
#include <QWebChannel>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace {
constexpr int kReadyPollMilliseconds = 100;

std::shared_ptr<TKTileResponder> tilesOfThePreferences()
{
    QSettings settings;
    return std::make_shared<TKTileResponder>(std::make_unique<TKTileStore>(TKMapSource::load(settings)),
                                             std::make_shared<TKNetworkTileFetcher>());
}

} // namespace

TKMapPage::TKMapPage(QWebEngineView *view, QObject *parent) : TKMapPage(view, tilesOfThePreferences(), parent) {}

TKMapPage::TKMapPage(QWebEngineView *view, std::shared_ptr<TKTileResponder> tiles, QObject *parent)
    : QObject(parent), m_tiles(std::move(tiles)), m_profile(new QWebEngineProfile(this))
{
    m_profile->installUrlSchemeHandler(TKTileSchemeHandler::kScheme, new TKTileSchemeHandler(m_tiles, m_profile));
    // Map tile servers ask every client to name itself.
    m_profile->setHttpUserAgent(TKNetworkTileFetcher::userAgent());
    // The page belongs to the profile so that it is always released before it.
    m_page = new TKMapWebPage(m_profile, m_profile);
    // The page's way back: its script finds the bridge as "tovikApp".
    m_channel = new QWebChannel(this);
    auto *bridge = new TKMapBridge(m_channel);
    m_channel->registerObject(QStringLiteral("tovikApp"), bridge);
    connect(bridge, &TKMapBridge::routePicked, this, &TKMapPage::routeClicked);
    m_page->setWebChannel(m_channel);
    view->setPage(m_page);
    m_readyPoll.setInterval(kReadyPollMilliseconds);
    connect(&m_readyPoll, &QTimer::timeout, this, &TKMapPage::askWhetherReady);
    connect(m_page, &QWebEnginePage::loadFinished, this, [this](bool) { m_readyPoll.start(); });
    m_page->load(QUrl(QString::fromLatin1(kPageUrl)));
}

TKMapPage::~TKMapPage()
{
    m_readyPoll.stop();
}

void TKMapPage::runScript(const QString &script)
{
    if (m_ready)
        m_page->runJavaScript(script);
    else
        m_waitingScripts.append(script);
}

void TKMapPage::setRoute(const QList<QPointF> &latitudeLongitude)
{
    QStringList points;
    points.reserve(latitudeLongitude.size());
    for (const QPointF &point : latitudeLongitude)
        points.append(QStringLiteral("[%1,%2]").arg(point.x(), 0, 'f', 6).arg(point.y(), 0, 'f', 6));
    runScript(QStringLiteral("setRoute([%1])").arg(points.join(',')));
}

void TKMapPage::setTripRoute(const QList<QList<SpeedPoint>> &stretches)
{
    QStringList texts;
    for (const QList<SpeedPoint> &stretch : stretches) {
        QStringList points;
        points.reserve(stretch.size());
        for (const SpeedPoint &point : stretch) {
            points.append(QStringLiteral("[%1,%2,%3]")
                              .arg(point.latitude, 0, 'f', 6)
                              .arg(point.longitude, 0, 'f', 6)
                              .arg(point.kmh, 0, 'f', 1));
        }
        texts.append('[' + points.join(',') + ']');
    }
    runScript(QStringLiteral("setTripRoute([%1])").arg(texts.join(',')));
}

void TKMapPage::setTripEvents(const QList<EventMark> &events)
{
    QJsonArray marks;
    for (const EventMark &event : events)
        marks.append(QJsonArray{event.latitude, event.longitude, event.label});
    // JSON is a script literal, and it quotes the labels safely.
    runScript(QStringLiteral("setTripEvents(%1)").arg(QString::fromUtf8(QJsonDocument(marks).toJson(QJsonDocument::Compact))));
}

void TKMapPage::setMapSource(const TKMapSource &source)
{
    m_tiles->setStore(std::make_unique<TKTileStore>(source));
    runScript(QStringLiteral("tovikReloadTiles()"));
}

void TKMapPage::askWhetherReady()
{
    m_page->runJavaScript(QStringLiteral("window.tovikReady === true"), [this](const QVariant &answer) {
        if (answer.toBool() && !m_ready)
            becomeReady();
    });
}

void TKMapPage::becomeReady()
{
    m_readyPoll.stop();
    m_ready = true;
    const QStringList scripts = std::exchange(m_waitingScripts, {});
    for (const QString &script : scripts)
        m_page->runJavaScript(script);
    emit ready();
}
