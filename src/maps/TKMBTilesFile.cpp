#include "maps/TKMBTilesFile.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QtDebug>

TKMBTilesFile::TKMBTilesFile(const QString &path)
    : m_connectionName(QStringLiteral("mbtiles-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
    if (!QFileInfo(path).isFile()) {
        m_problem = QStringLiteral("%1 is not a file").arg(path);
        return;
    }
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    database.setDatabaseName(path);
    database.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    if (!database.open()) {
        m_problem = database.lastError().text();
    } else {
        QSqlQuery probe(database);
        if (!probe.exec(QStringLiteral("SELECT zoom_level, tile_column, tile_row, tile_data FROM tiles LIMIT 1")))
            m_problem = QStringLiteral("no table of tiles (%1)").arg(probe.lastError().databaseText());
    }
    if (!m_problem.isEmpty())
        qInfo("MBTiles file not usable: %s", qUtf8Printable(m_problem));
}

TKMBTilesFile::~TKMBTilesFile()
{
    if (QSqlDatabase::contains(m_connectionName)) {
        QSqlDatabase::database(m_connectionName, false).close();
        QSqlDatabase::removeDatabase(m_connectionName);
    }
}

std::optional<QByteArray> TKMBTilesFile::tile(const TKTileKey &key) const
{
    if (!isOpen())
        return std::nullopt;
    QSqlQuery query(QSqlDatabase::database(m_connectionName, false));
    query.prepare(QStringLiteral("SELECT tile_data FROM tiles WHERE zoom_level = ? AND tile_column = ? AND tile_row = ?"));
    query.addBindValue(key.z);
    query.addBindValue(static_cast<qint64>(key.x));
    query.addBindValue(static_cast<qint64>(key.mbtilesRow()));
    if (!query.exec()) {
        qInfo("MBTiles query failed: %s", qUtf8Printable(query.lastError().text()));
        return std::nullopt;
    }
    if (!query.next())
        return std::nullopt;
    const QByteArray data = query.value(0).toByteArray();
    if (data.isEmpty())
        return std::nullopt;
    return data;
}

std::optional<QString> TKMBTilesFile::metadata(const QString &name) const
{
    if (!isOpen())
        return std::nullopt;
    QSqlQuery query(QSqlDatabase::database(m_connectionName, false));
    query.prepare(QStringLiteral("SELECT value FROM metadata WHERE name = ?"));
    query.addBindValue(name);
    if (!query.exec() || !query.next())
        return std::nullopt;
    return query.value(0).toString();
}
