#pragma once

#include "maps/TKTileKey.h"

#include <QByteArray>
#include <QString>

#include <optional>

// Raster tiles of an MBTiles file (SQLite), opened read-only. A file that is
// missing, not SQLite or without a tiles table is reported by problem() and
// answers no tile.
class TKMBTilesFile {
public:
    explicit TKMBTilesFile(const QString &path);
    ~TKMBTilesFile();
    TKMBTilesFile(const TKMBTilesFile &) = delete;
    TKMBTilesFile &operator=(const TKMBTilesFile &) = delete;

    bool isOpen() const { return m_problem.isEmpty(); }
    const QString &problem() const { return m_problem; }

    std::optional<QByteArray> tile(const TKTileKey &key) const;
    // A value of the file's metadata table, such as its "attribution".
    std::optional<QString> metadata(const QString &name) const;

private:
    // Each file gets a connection of its own name, so several can be open.
    QString m_connectionName;
    QString m_problem;
};
