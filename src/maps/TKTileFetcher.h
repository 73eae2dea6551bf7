#pragma once

#include "maps/TKTileKey.h"

#include <QByteArray>

#include <functional>
#include <optional>

// Fetches one tile from a tile server; an interface so the request handler
// can be tested without a network.
class TKTileFetcher {
public:
    // The tile's bytes, or nullopt when it could not be fetched.
    using Done = std::function<void(std::optional<QByteArray>)>;

    virtual ~TKTileFetcher() = default;
    // `done` is called once, later, on the caller's thread.
    virtual void fetch(const TKTileKey &key, Done done) = 0;
};
