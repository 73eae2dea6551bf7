#pragma once

#include "maps/TKTileFetcher.h"
#include "maps/TKTileStore.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

// Answers the map page's tile requests from the store, fetching and keeping
// tiles when the source is online. Knows nothing of the web view, so its
// choices are tested without one.
class TKTileResponder {
public:
    struct Reply {
        bool found = false;
        QByteArray data;
        QByteArray mimeType;
    };
    using Done = std::function<void(const Reply &)>;

    // `fetcher` may be null: then nothing is fetched, whatever the source.
    TKTileResponder(std::unique_ptr<TKTileStore> store, std::shared_ptr<TKTileFetcher> fetcher);

    // `done` is called once: at once for stored tiles, after a fetch otherwise.
    void answer(const TKTileKey &key, Done done);
    void setStore(std::unique_ptr<TKTileStore> store);
    const TKTileStore &store() const { return *m_store; }

    // Tiles answered with a picture, counted for tests and diagnostics.
    int servedCount() const { return *m_served; }

    static QByteArray mimeTypeOf(const QByteArray &data);

private:
    void fetch(const TKTileKey &key, std::optional<QByteArray> fallback, Done done);
    Reply serve(QByteArray data);

    std::shared_ptr<TKTileStore> m_store;
    std::shared_ptr<TKTileFetcher> m_fetcher;
    std::shared_ptr<int> m_served = std::make_shared<int>(0);
};
