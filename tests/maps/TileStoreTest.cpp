// The tile store, MBTiles files and the responder that answers the map page.
#include "maps/TKMBTilesFile.h"
#include "maps/TKMapSource.h"
#include "maps/TKTileResponder.h"
#include "maps/TKTileStore.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <gtest/gtest.h>

#include <map>

namespace {

QByteArray pngOf(QColor colour)
{
    QImage image(256, 256, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QString testFolder(const char *name)
{
    const QString path = QString::fromLocal8Bit(qgetenv("TOVIK_TEST_TMP")) + '/' + name;
    QDir(path).removeRecursively();
    QDir().mkpath(path);
    return path;
}

// An MBTiles file with the given tiles, rows in the file's own (TMS) numbering.
QString makeMBTiles(const QString &path, const std::map<std::tuple<int, int, int>, QByteArray> &rows)
{
    {
        QSqlDatabase database = QSqlDatabase::addDatabase("QSQLITE", "make-mbtiles");
        database.setDatabaseName(path);
        EXPECT_TRUE(database.open());
        QSqlQuery query(database);
        EXPECT_TRUE(query.exec("CREATE TABLE metadata (name TEXT, value TEXT)"));
        EXPECT_TRUE(query.exec("CREATE TABLE tiles (zoom_level INTEGER, tile_column INTEGER, tile_row INTEGER, "
                               "tile_data BLOB)"));
        for (const auto &[key, data] : rows) {
            query.prepare("INSERT INTO tiles VALUES (?, ?, ?, ?)");
            query.addBindValue(std::get<0>(key));
            query.addBindValue(std::get<1>(key));
            query.addBindValue(std::get<2>(key));
            query.addBindValue(data);
            EXPECT_TRUE(query.exec());
        }
        database.close();
    }
    QSqlDatabase::removeDatabase("make-mbtiles");
    return path;
}

// Answers fetches as the test says, and counts them.
class ScriptedFetcher : public TKTileFetcher {
public:
    void fetch(const TKTileKey &key, Done done) override
    {
        asked.push_back(key);
        done(answer);
    }
    std::optional<QByteArray> answer;
    std::vector<TKTileKey> asked;
};

void age(const QString &file, int days)
{
    QFile tile(file);
    ASSERT_TRUE(tile.open(QIODevice::ReadWrite));
    ASSERT_TRUE(tile.setFileTime(QDateTime::currentDateTimeUtc().addDays(-days), QFileDevice::FileModificationTime));
}

TKTileResponder::Reply answerOf(TKTileResponder &responder, const TKTileKey &key)
{
    TKTileResponder::Reply result;
    int calls = 0;
    responder.answer(key, [&](const TKTileResponder::Reply &reply) {
        result = reply;
        ++calls;
    });
    EXPECT_EQ(calls, 1);
    return result;
}

} // namespace

TEST(TileStoreTest, KeepsOnlyPicturesUnderTheCacheFolderAndReadsThemBack)
{
    const TKTileStore defaults{TKMapSource()};
    EXPECT_TRUE(defaults.root().startsWith(QString::fromLocal8Bit(qgetenv("XDG_CACHE_HOME"))));
    EXPECT_TRUE(defaults.root().endsWith("/tiles"));

    const QString root = testFolder("kept-tiles");
    const TKTileStore store(TKMapSource(), root);
    const TKTileKey key{12, 2200, 1343};
    EXPECT_FALSE(store.kept(key));
    EXPECT_FALSE(store.keep(key, "<html>rate limited</html>")) << "an error page is no tile";
    EXPECT_FALSE(QFile::exists(root + "/12/2200/1343.png"));

    const QByteArray red = pngOf(Qt::red);
    ASSERT_TRUE(store.keep(key, red));
    EXPECT_TRUE(QFile::exists(root + "/12/2200/1343.png"));
    EXPECT_EQ(store.kept(key)->data, red);
    EXPECT_EQ(store.tileImage(12, 2200, 1343).pixelColor(10, 10), QColor(Qt::red));
    EXPECT_TRUE(store.tileImage(12, 5000, 1343).isNull()) << "no such tile";
    EXPECT_TRUE(store.tileImage(12, 2201, 1343).isNull()) << "not kept";

    const QDateTime now = QDateTime::currentDateTimeUtc();
    EXPECT_TRUE(store.availability(key, now).keptIsFresh);
    age(root + "/12/2200/1343.png", 8);
    EXPECT_TRUE(store.availability(key, now).kept);
    EXPECT_FALSE(store.availability(key, now).keptIsFresh);
}

TEST(TileStoreTest, MBTilesRowsAreFlippedAndBadFilesAnswerNothing)
{
    const QString folder = testFolder("mbtiles");
    const QByteArray blue = pngOf(Qt::blue);
    // Tile z=2, x=1, y=0 (north) is row 3 in the file.
    const QString path = makeMBTiles(folder + "/region.mbtiles", {{{2, 1, 3}, blue}});
    const TKMBTilesFile file(path);
    ASSERT_TRUE(file.isOpen()) << file.problem().toStdString();
    EXPECT_EQ(file.tile({2, 1, 0}), blue);
    EXPECT_FALSE(file.tile({2, 1, 3}));

    QFile garbage(folder + "/garbage.mbtiles");
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(4096, 'x'));
    garbage.close();
    for (const QString &bad : {folder + "/garbage.mbtiles", folder + "/missing.mbtiles"}) {
        const TKMBTilesFile badFile(bad);
        EXPECT_FALSE(badFile.isOpen()) << bad.toStdString();
        EXPECT_FALSE(badFile.problem().isEmpty());
        EXPECT_FALSE(badFile.tile({0, 0, 0}));
    }
    EXPECT_FALSE(QFile::exists(folder + "/missing.mbtiles")) << "opened read-only, never made";

    const TKTileStore store(TKMapSource{TKTileSourceKind::MBTilesFile, path}, folder + "/kept");
    EXPECT_EQ(store.tileImage(2, 1, 0).pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_EQ(store.attribution(), "Map tiles: region.mbtiles") << "no credit in the file's metadata";
}

TEST(TileStoreTest, EveryProgramFindsTheViewersTilesAndTheirCredit)
{
    // Whatever the program calls itself, the store is the viewer's.
    const QString cache = QString::fromLocal8Bit(qgetenv("XDG_CACHE_HOME"));
    EXPECT_EQ(TKTileStore::defaultRoot(), cache + "/Tovik/tovik-viewer/tiles");
    EXPECT_EQ(TKTileStore(TKMapSource()).attribution(), "\u00a9 OpenStreetMap contributors");

    const QString folder = testFolder("credited");
    const QString path = makeMBTiles(folder + "/alps.mbtiles", {});
    {
        QSqlDatabase database = QSqlDatabase::addDatabase("QSQLITE", "credit");
        database.setDatabaseName(path);
        ASSERT_TRUE(database.open());
        QSqlQuery query(database);
        ASSERT_TRUE(query.exec("INSERT INTO metadata VALUES ('attribution', 'Alpine Maps Ltd')"));
        database.close();
    }
    QSqlDatabase::removeDatabase("credit");
    EXPECT_EQ(TKTileStore(TKMapSource{TKTileSourceKind::MBTilesFile, path}, folder).attribution(), "Alpine Maps Ltd");
}

TEST(TileStoreTest, ResponderFetchesOnlyWhatIsMissingOrOldAndKeepsIt)
{
    const QString root = testFolder("responder");
    auto fetcher = std::make_shared<ScriptedFetcher>();
    TKTileResponder responder(std::make_unique<TKTileStore>(TKMapSource(), root), fetcher);
    const TKTileKey key{5, 10, 12};
    const QByteArray green = pngOf(Qt::green);

    // Offline and nothing kept: not found, and the page draws its grid.
    EXPECT_FALSE(answerOf(responder, key).found);
    EXPECT_EQ(fetcher->asked.size(), 1u);

    fetcher->answer = green;
    TKTileResponder::Reply reply = answerOf(responder, key);
    EXPECT_TRUE(reply.found);
    EXPECT_EQ(reply.data, green);
    EXPECT_EQ(reply.mimeType, "image/png");
    EXPECT_EQ(fetcher->asked.size(), 2u);

    // Kept and fresh: served without asking the server.
    fetcher->answer.reset();
    EXPECT_EQ(answerOf(responder, key).data, green);
    EXPECT_EQ(fetcher->asked.size(), 2u);

    // A week old: asked again; offline the old tile still shows.
    age(root + "/5/10/12.png", 8);
    EXPECT_EQ(answerOf(responder, key).data, green);
    EXPECT_EQ(fetcher->asked.size(), 3u);
    // Fetched anew, it is kept with today's date.
    const QByteArray yellow = pngOf(Qt::yellow);
    fetcher->answer = yellow;
    EXPECT_EQ(answerOf(responder, key).data, yellow);
    EXPECT_TRUE(responder.store().availability(key, QDateTime::currentDateTimeUtc()).keptIsFresh);
    EXPECT_EQ(responder.servedCount(), 4);

    // Kept tiles only: never the network, even for a missing tile.
    responder.setStore(std::make_unique<TKTileStore>(TKMapSource{TKTileSourceKind::KeptOnly, {}}, root));
    const std::size_t asked = fetcher->asked.size();
    EXPECT_EQ(answerOf(responder, key).data, yellow);
    EXPECT_FALSE(answerOf(responder, {5, 11, 12}).found);
    EXPECT_EQ(fetcher->asked.size(), asked);

    // Without a fetcher the online source serves kept tiles only.
    TKTileResponder offline(std::make_unique<TKTileStore>(TKMapSource(), root), nullptr);
    EXPECT_TRUE(answerOf(offline, key).found);
    EXPECT_FALSE(answerOf(offline, {5, 11, 12}).found);
}

TEST(TileStoreTest, MapSourceIsRememberedAndAFileSourceNeedsAPath)
{
    QSettings settings(QString::fromLocal8Bit(qgetenv("TOVIK_TEST_TMP")) + "/map-source.conf", QSettings::IniFormat);
    EXPECT_EQ(TKMapSource::load(settings), TKMapSource()) << "online on the first run";
    const TKMapSource file{TKTileSourceKind::MBTilesFile, "/maps/region.mbtiles"};
    file.save(settings);
    EXPECT_EQ(TKMapSource::load(settings), file);
    settings.setValue("map/mbtiles", QString());
    EXPECT_EQ(TKMapSource::load(settings).kind, TKTileSourceKind::Online);
    settings.setValue("map/source", "nonsense");
    EXPECT_EQ(TKMapSource::load(settings).kind, TKTileSourceKind::Online);
    TKMapSource{TKTileSourceKind::KeptOnly, {}}.save(settings);
    EXPECT_EQ(TKMapSource::load(settings).kind, TKTileSourceKind::KeptOnly);
}
