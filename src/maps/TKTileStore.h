#pragma once

#include "maps/TKMapSource.h"
#include "maps/TKTileAnswer.h"
#include "maps/TKTileKey.h"

#include <QByteArray>
#include <QDateTime>
#include <QImage>
#include <QString>

#include <memory>
#include <optional>

class TKMBTilesFile;

// The map tiles at hand without a network: tiles fetched earlier, kept in
// <cache>/tiles/z/x/y.png with their fetch date as the file's time, and the
// user's MBTiles file when that is the chosen source. The map view and the
// incident report read from the same store.
class TKTileStore {
public:
    struct KeptTile {
        QByteArray data;
        QDateTime fetchedAt;
    };

    // `root` empty: the viewer's cache folder + "/tiles", whichever program asks.
    explicit TKTileStore(TKMapSource source, QString root = QString());
    ~TKTileStore();
    TKTileStore(const TKTileStore &) = delete;
    TKTileStore &operator=(const TKTileStore &) = delete;

    static QString defaultRoot();

    const TKMapSource &source() const { return m_source; }
    const QString &root() const { return m_root; }
    // Why the chosen MBTiles file gives no tiles; empty when it does or none is chosen.
    QString sourceProblem() const;

    std::optional<KeptTile> kept(const TKTileKey &key) const;
    std::optional<QByteArray> fromMBTiles(const TKTileKey &key) const;
    TKTileAvailability availability(const TKTileKey &key, const QDateTime &now) const;
    // Keeps a fetched tile; only PNG or JPEG pictures are kept. False when not written.
    bool keep(const TKTileKey &key, const QByteArray &data) const;

    // The tile as a picture, from the chosen source without any network; a
    // null image where none is at hand or the numbers name no tile.
    QImage tileImage(int z, int x, int y) const;

    // The credit the tiles ask for wherever they are shown.
    QString attribution() const;

    static bool looksLikeTileImage(const QByteArray &data);

private:
    QString pathOf(const TKTileKey &key) const;

    TKMapSource m_source;
    QString m_root;
    std::unique_ptr<TKMBTilesFile> m_mbtiles;
};
