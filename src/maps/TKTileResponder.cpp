#include "maps/TKTileResponder.h"

#include <QDateTime>

TKTileResponder::TKTileResponder(std::unique_ptr<TKTileStore> store, std::shared_ptr<TKTileFetcher> fetcher)
    : m_store(std::move(store)), m_fetcher(std::move(fetcher))
{
}

void TKTileResponder::setStore(std::unique_ptr<TKTileStore> store)
{
    m_store = std::move(store);
}

QByteArray TKTileResponder::mimeTypeOf(const QByteArray &data)
{
    if (data.startsWith("\xff\xd8\xff"))
        return QByteArrayLiteral("image/jpeg");
    if (data.startsWith("RIFF") && data.mid(8, 4) == "WEBP")
        return QByteArrayLiteral("image/webp");
    return QByteArrayLiteral("image/png");
}

TKTileResponder::Reply TKTileResponder::serve(QByteArray data)
{
    ++*m_served;
    Reply reply{true, std::move(data), {}};
    reply.mimeType = mimeTypeOf(reply.data);
    return reply;
}

void TKTileResponder::answer(const TKTileKey &key, Done done)
{
    const TKTileSourceKind kind = m_fetcher ? m_store->source().kind
        : m_store->source().kind == TKTileSourceKind::Online ? TKTileSourceKind::KeptOnly
                                                             : m_store->source().kind;
    switch (TKChooseTileAnswer(kind, m_store->availability(key, QDateTime::currentDateTimeUtc()))) {
    case TKTileAnswer::ServeMBTiles:
        if (std::optional<QByteArray> data = m_store->fromMBTiles(key)) {
            done(serve(std::move(*data)));
            return;
        }
        break;
    case TKTileAnswer::ServeKept:
        if (std::optional<TKTileStore::KeptTile> tile = m_store->kept(key)) {
            done(serve(std::move(tile->data)));
            return;
        }
        break;
    case TKTileAnswer::FetchOrServeKept: {
        std::optional<TKTileStore::KeptTile> tile = m_store->kept(key);
        fetch(key, tile ? std::optional<QByteArray>(std::move(tile->data)) : std::nullopt, std::move(done));
        return;
    }
    case TKTileAnswer::Fetch:
        fetch(key, std::nullopt, std::move(done));
        return;
    case TKTileAnswer::NotFound:
        break;
    }
    done(Reply{});
}

void TKTileResponder::fetch(const TKTileKey &key, std::optional<QByteArray> fallback, Done done)
{
    // The store may be replaced while the request runs; the fetched tile goes
    // to the store it was asked of.
    std::shared_ptr<TKTileStore> store = m_store;
    std::shared_ptr<int> served = m_served;
    m_fetcher->fetch(key, [store, served, key, fallback = std::move(fallback),
                           done = std::move(done)](std::optional<QByteArray> data) {
        if (data && store->keep(key, *data)) {
            ++*served;
            done(Reply{true, *data, mimeTypeOf(*data)});
        } else if (fallback) {
            ++*served;
            done(Reply{true, *fallback, mimeTypeOf(*fallback)});
        } else {
            done(Reply{});
        }
    });
}
