#include "maps/TKTileStore.h"

#include "maps/TKMBTilesFile.h"
#include "maps/TKViewerIdentity.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QtDebug>

TKTileStore::TKTileStore(TKMapSource source, QString root)
    : m_source(std::move(source)), m_root(root.isEmpty() ? defaultRoot() : std::move(root))
{
    if (m_source.kind == TKTileSourceKind::MBTilesFile)
        m_mbtiles = std::make_unique<TKMBTilesFile>(m_source.mbtilesPath);
}

TKTileStore::~TKTileStore() = default;

QString TKTileStore::defaultRoot()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + '/' + TKViewerIdentity::kOrganization + '/'
        + TKViewerIdentity::kApplication + QStringLiteral("/tiles");
}

QString TKTileStore::attribution() const
{
    if (m_mbtiles) {
        const QString named = m_mbtiles->metadata(QStringLiteral("attribution")).value_or(QString());
        return named.isEmpty() ? QStringLiteral("Map tiles: %1").arg(QFileInfo(m_source.mbtilesPath).fileName()) : named;
    }
    return QStringLiteral("\u00a9 OpenStreetMap contributors");
}

QString TKTileStore::sourceProblem() const
{
    return m_mbtiles ? m_mbtiles->problem() : QString();
}

QString TKTileStore::pathOf(const TKTileKey &key) const
{
    return m_root + '/' + QString::fromStdString(key.relativePath());
}

std::optional<TKTileStore::KeptTile> TKTileStore::kept(const TKTileKey &key) const
{
    QFile file(pathOf(key));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    KeptTile tile{file.readAll(), QFileInfo(file).lastModified()};
    if (file.error() != QFileDevice::NoError || !looksLikeTileImage(tile.data))
        return std::nullopt;
    return tile;
}

std::optional<QByteArray> TKTileStore::fromMBTiles(const TKTileKey &key) const
{
    return m_mbtiles ? m_mbtiles->tile(key) : std::nullopt;
}

TKTileAvailability TKTileStore::availability(const TKTileKey &key, const QDateTime &now) const
{
    TKTileAvailability availability;
    if (m_mbtiles) {
        availability.inMBTiles = m_mbtiles->tile(key).has_value();
        return availability;
    }
    const QFileInfo info(pathOf(key));
    availability.kept = info.isFile() && info.size() > 0;
    if (availability.kept) {
        const auto fetched = std::chrono::system_clock::time_point(
            std::chrono::milliseconds(info.lastModified().toMSecsSinceEpoch()));
        const auto current = std::chrono::system_clock::time_point(std::chrono::milliseconds(now.toMSecsSinceEpoch()));
        availability.keptIsFresh = TKTileIsFresh(fetched, current);
    }
    return availability;
}

bool TKTileStore::keep(const TKTileKey &key, const QByteArray &data) const
{
    if (!looksLikeTileImage(data))
        return false;
    const QString path = pathOf(key);
    if (!QDir().mkpath(QFileInfo(path).path())) {
        qInfo("cannot make the tile folder for %s", qUtf8Printable(path));
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        qInfo("cannot keep the tile %s: %s", qUtf8Printable(path), qUtf8Printable(file.errorString()));
        return false;
    }
    return true;
}

QImage TKTileStore::tileImage(int z, int x, int y) const
{
    const std::optional<TKTileKey> key = TKTileKey::make(z, x, y);
    if (!key)
        return {};
    std::optional<QByteArray> data = fromMBTiles(*key);
    if (!data && !m_mbtiles) {
        if (std::optional<KeptTile> tile = kept(*key))
            data = std::move(tile->data);
    }
    return data ? QImage::fromData(*data) : QImage();
}

bool TKTileStore::looksLikeTileImage(const QByteArray &data)
{
    static const QByteArray png("\x89PNG\r\n\x1a\n", 8);
    static const QByteArray jpeg("\xff\xd8\xff", 3);
    return data.startsWith(png) || data.startsWith(jpeg);
}
