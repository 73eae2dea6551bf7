#include "CoreApplicationTest.h"
#include "ProgramRun.h"
#include "RecordingTree.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QString>

#include <gtest/gtest.h>


namespace {

ProgramRun runTovik(const QStringList &arguments)
{
    return runProgram(builtProgram("src/cli/tovik"), arguments);
}

QString pathIn(const RecordingTree &tree, const char *relative)
{
    return QString::fromStdString(tree.path(relative));
}

using ListCommandTest = CoreApplicationTest;

} // namespace

TEST_F(ListCommandTest, JsonHoldsTheSortedRecordingsAndThePairsWithNullForAMissingSide)
{
    RecordingTree tree;
    tree.touch("Normal/alwa_20230115_143005_R.MP4");
    tree.touch("alwa_20230115_143005_F.MP4");
    tree.touch("Event/evtA_20230116_090000_F.mp4");
    tree.touch("readme.txt");

    const ProgramRun run = runTovik({"list", QString::fromStdString(tree.path() + "/"), "--json"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject root = QJsonDocument::fromJson(run.out).object();
    EXPECT_EQ(root.value("directory").toString(), QString::fromStdString(tree.path()));

    const QJsonArray recordings = root.value("recordings").toArray();
    ASSERT_EQ(recordings.size(), 3);
    const QJsonObject expectedFirst{{"path", pathIn(tree, "alwa_20230115_143005_F.MP4")},
        {"fileName", "alwa_20230115_143005_F.MP4"}, {"mediaName", "alwa_20230115_143005_F"}, {"extension", "MP4"},
        {"dir", QString::fromStdString(tree.path())}, {"year", 2023}, {"month", 1}, {"day", 15}, {"hour", 14},
        {"minute", 30}, {"second", 5}, {"mediaDivision", 0}, {"mediaDirection", 0}, {"group", "alwa_20230115_143005"},
        {"sortKey", "20230115143005"}};
    EXPECT_EQ(recordings.at(0).toObject(), expectedFirst);
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

    const ProgramRun rows = runTovik({"list", QString::fromStdString(tree.path())});
    ASSERT_EQ(rows.exitCode, 0);
    EXPECT_TRUE(rows.out.contains("2023-01-15 14:30:05  always  rear     Normal/alwa_20230115_143005_R.MP4"))
        << rows.out.toStdString();
}

TEST_F(ListCommandTest, AFolderThatIsMissingOrNotAFolderFailsWithOneLine)
{
    RecordingTree tree;
    tree.touch("alwa_20230115_143005_F.MP4");
    for (const QStringList &arguments : {QStringList{"list", pathIn(tree, "missing")},
             QStringList{"list", pathIn(tree, "alwa_20230115_143005_F.MP4"), "--json"}, QStringList{"list"}}) {
        const ProgramRun run = runTovik(arguments);
        EXPECT_EQ(run.exitCode, 1) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
    }
}

TEST(CommandHelp, UsageLineNamesTheCommandNotTheProgramPath)
{
    for (const QStringList &arguments : {QStringList{"list", "--help"}, QStringList{"config", "set", "--help"}}) {
        const ProgramRun help = runTovik(arguments);
        EXPECT_EQ(help.exitCode, 0);
        const QString command = "tovik " + arguments.mid(0, arguments.size() - 1).join(' ');
        EXPECT_TRUE(help.out.startsWith(("Usage: " + command + " [options]").toUtf8())) << help.out.toStdString();
    }
    const ProgramRun bad = runTovik({"list", "--no-such-option"});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_TRUE(bad.err.startsWith("tovik list: ")) << bad.err.toStdString();
}
