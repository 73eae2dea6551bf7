// `tovik repair` on a card with a cut-off front and rear recording, a healthy
// one and foreign bytes: exit codes, one line per file, the JSON fields.
#include "RepairFixture.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <filesystem>

using namespace RepairFixture;
namespace fs = std::filesystem;

namespace {

ProgramRun tovik(const QStringList &arguments)
{
    return runProgram(builtProgram("src/cli/tovik"), QStringList{"repair"} + arguments);
}

int lines(const QByteArray &text)
{
    return static_cast<int>(text.count('\n'));
}

} // namespace

TEST(RepairCommand, RecoversACardAndSaysSoPerFile)
{
    const QString root = qEnvironmentVariable("TOVIK_TEST_TMP");
    const std::string demo = makeCard(root + "/command-card").toStdString();
    ASSERT_FALSE(demo.empty());
    const TestFolder folder("command");
    const std::string card = folder.path("card");
    for (const char *camera : {"F", "R"}) {
        const std::string healthy = folder.path(std::string("healthy_") + camera + ".MP4");
        interleave(demo + "/alwa_20240315_081200_" + camera + ".MP4", healthy);
        const Bytes bytes = readFile(healthy);
        writeFile(card + "/EVENT/event_20240315_081230_" + camera + ".MP4", bytes, bytes.size() * 2 / 3);
        fs::copy_file(demo + "/alwa_20240315_081200_" + camera + ".MP4", card + "/alwa_20240315_081200_" + camera + ".MP4");
    }
    const QString cardPath = QString::fromStdString(card);
    const QString front = cardPath + "/EVENT/event_20240315_081230_F.MP4";

    const auto single = tovik({front});
    EXPECT_EQ(single.exitCode, 0) << single.err.toStdString();
    EXPECT_EQ(lines(single.out), 1);
    EXPECT_TRUE(single.out.startsWith(front.toUtf8() + ": recovered ")) << single.out.toStdString();
    EXPECT_TRUE(single.out.contains(" video frames, ")) << single.out.toStdString();
    EXPECT_TRUE(fs::exists(card + "/EVENT/RECOVERED/event_20240315_081230_F.MP4"));

    const auto again = tovik({front});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_EQ(lines(again.err), 1);
    EXPECT_TRUE(again.err.contains("--force")) << again.err.toStdString();

    const auto all = tovik({cardPath, "--json", "--force"});
    EXPECT_EQ(all.exitCode, 0) << all.err.toStdString();
    const QJsonArray objects = QJsonDocument::fromJson(all.out).array();
    ASSERT_EQ(objects.size(), 2) << all.out.toStdString();
    for (const QJsonValue &value : objects) {
        const QJsonObject object = value.toObject();
        EXPECT_EQ(object.keys(), (QStringList{"audioFrames", "dataSamples", "input", "output", "reference", "seconds",
                                              "videoFrames"}));
        EXPECT_GT(object["videoFrames"].toInt(), 0);
        EXPECT_GT(object["audioFrames"].toInt(), 0);
        EXPECT_GT(object["dataSamples"].toInt(), 0);
        EXPECT_GT(object["seconds"].toDouble(), 1.0);
        EXPECT_TRUE(object["output"].toString().contains("/EVENT/RECOVERED/event_20240315_081230_"));
        EXPECT_EQ(MediaTools::probeErrors(object["output"].toString()), QByteArray());
    }
    // The suffix decides the camera of the reference.
    EXPECT_TRUE(objects[1].toObject()["reference"].toString().endsWith("_R.MP4"));

    const auto healthy = tovik({cardPath + "/alwa_20240315_081200_F.MP4"});
    EXPECT_EQ(healthy.exitCode, 0);
    EXPECT_TRUE(healthy.out.endsWith(": not cut off\n")) << healthy.out.toStdString();
    EXPECT_FALSE(fs::exists(card + "/RECOVERED"));

    const auto out = tovik({front, "--out", QString::fromStdString(folder.path("elsewhere.MP4")), "--json"});
    EXPECT_EQ(out.exitCode, 0) << out.err.toStdString();
    EXPECT_EQ(QDir::cleanPath(QJsonDocument::fromJson(out.out).object()["output"].toString()),
              QString::fromStdString(folder.path("elsewhere.MP4")));

    writeFile(folder.path("garbage_F.MP4"), Bytes(3000, 0x33), 3000);
    for (const QStringList &arguments : {QStringList{QString::fromStdString(folder.path("garbage_F.MP4"))},
                                         QStringList{cardPath, "--out", "x.MP4"},
                                         QStringList{front, "--reference", QString::fromStdString(folder.path("garbage_F.MP4")), "--force"},
                                         QStringList{cardPath + "/missing.MP4"}}) {
        const auto refused = tovik(arguments);
        EXPECT_EQ(refused.exitCode, 1) << arguments.join(' ').toStdString();
        EXPECT_EQ(lines(refused.err), 1) << refused.err.toStdString();
    }
}
