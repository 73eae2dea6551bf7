#include "widgets/TKTileSchemeHandler.h"

#include "maps/TKTileResponder.h"

#include <QBuffer>
#include <QPointer>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

TKTileSchemeHandler::TKTileSchemeHandler(std::shared_ptr<TKTileResponder> responder, QObject *parent)
    : QWebEngineUrlSchemeHandler(parent), m_responder(std::move(responder))
{
}

void TKTileSchemeHandler::registerScheme()
{
    QWebEngineUrlScheme scheme(kScheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::LocalAccessAllowed
                    | QWebEngineUrlScheme::CorsEnabled);
    QWebEngineUrlScheme::registerScheme(scheme);
}

void TKTileSchemeHandler::requestStarted(QWebEngineUrlRequestJob *job)
{
    const std::optional<TKTileKey> key = TKTileKey::fromPath(job->requestUrl().path().toStdString());
    if (!key || job->requestMethod() != "GET") {
        job->fail(QWebEngineUrlRequestJob::UrlInvalid);
        return;
    }
    // The page may drop the request (panned away) before a fetch ends.
    QPointer<QWebEngineUrlRequestJob> guardedJob(job);
    m_responder->answer(*key, [guardedJob](const TKTileResponder::Reply &reply) {
        if (!guardedJob)
            return;
        if (!reply.found) {
            guardedJob->fail(QWebEngineUrlRequestJob::UrlNotFound);
            return;
        }
        auto *buffer = new QBuffer(guardedJob);
        buffer->setData(reply.data);
        guardedJob->reply(reply.mimeType, buffer);
    });
}
