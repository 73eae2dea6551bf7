#include "maps/TKNetworkTileFetcher.h"

#include <QCoreApplication>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QtDebug>

namespace {
// A tile server that does not answer must not hold the map page's requests.
constexpr int kTimeoutMs = 15000;
}

TKNetworkTileFetcher::TKNetworkTileFetcher(QObject *parent) : QObject(parent)
{
    m_network.setTransferTimeout(kTimeoutMs);
}

QString TKNetworkTileFetcher::userAgent()
{
    const QString version = QCoreApplication::applicationVersion();
    return QStringLiteral("TovikViewer/%1 (dashcam viewer; map view)")
        .arg(version.isEmpty() ? QStringLiteral("1.0") : version);
}

void TKNetworkTileFetcher::fetch(const TKTileKey &key, Done done)
{
    const QString path = QString::fromStdString(key.relativePath());
    auto waiting = m_waiting.find(path);
    if (waiting != m_waiting.end()) {
        waiting->push_back(std::move(done));
        return;
    }
    m_waiting[path].push_back(std::move(done));

    QNetworkRequest request(QUrl(QString::fromLatin1(kUrlTemplate).arg(key.z).arg(key.x).arg(key.y)));
    request.setHeader(QNetworkRequest::UserAgentHeader, userAgent());
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply *reply = m_network.get(request);
    connect(reply, &QNetworkReply::finished, this, [this, reply, path] {
        reply->deleteLater();
        std::optional<QByteArray> data;
        if (reply->error() == QNetworkReply::NoError)
            data = reply->readAll();
        else
            qInfo("tile %s not fetched: %s", qUtf8Printable(path), qUtf8Printable(reply->errorString()));
        const std::vector<Done> callers = m_waiting.take(path);
        for (const Done &caller : callers)
            caller(data);
    });
}
