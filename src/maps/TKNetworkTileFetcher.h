#pragma once

#include "maps/TKTileFetcher.h"

#include <QHash>
#include <QNetworkAccessManager>
#include <QObject>
#include <QString>

#include <vector>

// Fetches tiles from OpenStreetMap's tile server. Requests name the
// application and its version, as the server's usage policy asks, and a tile
// asked for again while its request runs shares that request.
class TKNetworkTileFetcher : public QObject, public TKTileFetcher {
    Q_OBJECT

public:
    static constexpr const char *kUrlTemplate = "https://tile.openstreetmap.org/%1/%2/%3.png";

    explicit TKNetworkTileFetcher(QObject *parent = nullptr);

    void fetch(const TKTileKey &key, Done done) override;
    static QString userAgent();

private:
    QNetworkAccessManager m_network;
    QHash<QString, std::vector<Done>> m_waiting;
};
