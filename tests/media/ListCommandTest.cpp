#include "RecordingTree.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QString>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

struct TovikRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

TovikRun runTovik(const QStringList &arguments)
{
    QProcess process;
    process.start(QString::fromLocal8Bit(std::getenv("TOVIK_BUILD_DIR")) + "/src/cli/tovik", arguments);
    TovikRun run;
    if (!process.waitForFinished(30000))
        return run;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

QString pathIn(const RecordingTree &tree, const char *relative)
{
    return QString::fromStdString(tree.path(relative));
}

} // namespace

TEST(ListCommandTest, JsonHoldsTheSortedRecordingsAndThePairsWithNullForAMissingSide)
{
    RecordingTree tree;
    tree.touch("Normal/alwa_20230115_143005_R.MP4");
    tree.touch("alwa_20230115_143005_F.MP4");
    tree.touch("Event/evtA_20230116_090000_F.mp4");
    tree.touch("readme.txt");

    const TovikRun run = runTovik({"list", QString::fromStdString(tree.path() + "/"), "--json"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject root = QJsonDocument::fromJson(run.out).object();
    EXPECT_EQ(root.value("directory").toString(), QString::fromStdString(tree.path()));

    const QJsonArray recordings = root.value("recordings").toArray();
    ASSERT_EQ(recordings.size(), 3);
    const QJsonObject first = recordings.at(0).toObject();
    EXPECT_EQ(first.value("path").toString(), pathIn(tree, "alwa_20230115_143005_F.MP4"));
    EXPECT_EQ(first.value("fileName").toString(), "alwa_20230115_143005_F.MP4");
    EXPECT_EQ(first.value("mediaName").toString(), "alwa_20230115_143005_F");
    EXPECT_EQ(first.value("extension").toString(), "MP4");
    EXPECT_EQ(first.value("dir").toString(), QString::fromStdString(tree.path()));
    EXPECT_EQ(first.value("year").toInt(), 2023);
    EXPECT_EQ(first.value("month").toInt(), 1);
    EXPECT_EQ(first.value("day").toInt(), 15);
    EXPECT_EQ(first.value("hour").toInt(), 14);
    EXPECT_EQ(first.value("minute").toInt(), 30);
    EXPECT_EQ(first.value("second").toInt(), 5);
    EXPECT_EQ(first.value("mediaDivision").toInt(), 0);
    EXPECT_EQ(first.value("mediaDirection").toInt(), 0);
    EXPECT_EQ(first.value("group").toString(), "alwa_20230115_143005");
    EXPECT_EQ(first.value("sortKey").toString(), "20230115143005");
    EXPECT_EQ(recordings.at(1).toObject().value("mediaDirection").toInt(), 1);
    EXPECT_EQ(recordings.at(2).toObject().value("mediaDivision").toInt(), 2);

    const QJsonArray pairs = root.value("pairs").toArray();
    ASSERT_EQ(pairs.size(), 2);
    const QJsonObject both = pairs.at(0).toObject();
    EXPECT_EQ(both.value("group").toString(), "alwa_20230115_143005");
    EXPECT_EQ(both.value("front").toString(), pathIn(tree, "alwa_20230115_143005_F.MP4"));
    EXPECT_EQ(both.value("rear").toString(), pathIn(tree, "Normal/alwa_20230115_143005_R.MP4"));
    const QJsonObject frontOnly = pairs.at(1).toObject();
    EXPECT_EQ(frontOnly.value("group").toString(), "evtA_20230116_090000");
    EXPECT_TRUE(frontOnly.value("rear").isNull());

    const TovikRun rows = runTovik({"list", QString::fromStdString(tree.path())});
    ASSERT_EQ(rows.exitCode, 0);
    EXPECT_TRUE(rows.out.contains("2023-01-15 14:30:05  always  rear     Normal/alwa_20230115_143005_R.MP4"))
        << rows.out.toStdString();
}

TEST(ListCommandTest, AFolderThatIsMissingOrNotAFolderFailsWithOneLine)
{
    RecordingTree tree;
    tree.touch("alwa_20230115_143005_F.MP4");
    for (const QStringList &arguments : {QStringList{"list", pathIn(tree, "missing")},
             QStringList{"list", pathIn(tree, "alwa_20230115_143005_F.MP4"), "--json"}, QStringList{"list"}}) {
        const TovikRun run = runTovik(arguments);
        EXPECT_EQ(run.exitCode, 1) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
    }
}
