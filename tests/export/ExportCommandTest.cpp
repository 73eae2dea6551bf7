// `tovik export` as a user runs it on a generated card, its files read
// back with the tools others will use: ffprobe, pdftotext and gpsbabel.
#include "ExportDemoCard.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QBuffer>
#include <QImage>
#include <QMap>
#include <QProcess>
#include <QProcessEnvironment>

#include <cmath>
#include <csignal>

#include <sys/resource.h>

namespace {

struct ToolRun {
    int exitCode = -1;
    QString out;
    QString err;
};

ToolRun run(const QString &program, const QStringList &arguments, std::function<void()> childSetup = {},
           const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    if (childSetup)
        process.setChildProcessModifier(childSetup);
    process.start(program, arguments);
    ToolRun result;
    if (!process.waitForFinished(300000) || process.exitStatus() != QProcess::NormalExit)
        return result;
    result.exitCode = process.exitCode();
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

QString tovik()
{
    return qEnvironmentVariable("TOVIK_BUILD_DIR") + "/src/cli/tovik";
}

QString outFolder(const QString &name)
{
    const QString path = qEnvironmentVariable("TOVIK_TEST_TMP") + "/" + name;
    QDir(path).removeRecursively();
    return path;
}

QString sha256(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    return QString::fromLatin1(hash.result().toHex());
}

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

// Exit status 1, one line on stderr, nothing on stdout.
void expectRefused(const ToolRun &result, const QString &mention)
{
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.out.isEmpty()) << result.out.toStdString();
    EXPECT_EQ(result.err.count('\n'), 1) << result.err.toStdString();
    EXPECT_TRUE(result.err.startsWith("tovik: ")) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains(mention)) << result.err.toStdString();
}

QString pdfText(const QString &pdf, const QStringList &pages = {})
{
    return run("pdftotext", pages + QStringList{pdf, "-"}).out;
}

// The second page (the route) rendered small, and how many of its pixels
// have about the colour given.
int pixelsOnRoutePage(const QString &pdf, const QColor &colour)
{
    const QString picture = pdf + "-route";
    if (run("pdftoppm", {"-r", "40", "-f", "2", "-l", "2", "-singlefile", "-png", pdf, picture}).exitCode != 0)
        return -1;
    const QImage page(picture + ".png");
    int count = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            count += std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) + std::abs(c.blue() - colour.blue()) < 12;
        }
    }
    return count;
}

// Fills a tile folder the way the viewer keeps tiles (z/x/y.png), with
// one colour, around the demo drive through Munich at zooms 12 to 17.
void fillTileStore(const QString &root, const QColor &colour)
{
    QImage tile(256, 256, QImage::Format_RGB32);
    tile.fill(colour);
    QByteArray png;
    QBuffer buffer(&png);
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
    ASSERT_TRUE(tile.save(&buffer, "PNG"));
    const auto column = [](double longitude, int zoom) { return int(std::floor((longitude + 180) / 360 * (1 << zoom))); };
    const auto row = [](double latitude, int zoom) {
        const double phi = latitude * M_PI / 180;
        return int(std::floor((1 - std::log(std::tan(phi) + 1 / std::cos(phi)) / M_PI) / 2 * (1 << zoom)));
    };
    for (int zoom = 12; zoom <= 17; ++zoom) {
        for (int x = column(11.55, zoom) - 3; x <= column(11.60, zoom) + 3; ++x) {
            for (int y = row(48.15, zoom) - 3; y <= row(48.12, zoom) + 3; ++y) {
                const QString folder = QString("%1/%2/%3").arg(root).arg(zoom).arg(x);
                ASSERT_TRUE(QDir().mkpath(folder));
                QFile file(QString("%1/%2.png").arg(folder).arg(y));
                ASSERT_TRUE(file.open(QIODevice::WriteOnly));
                ASSERT_EQ(file.write(png), png.size());
            }
        }
    }
}

const QString kEvent = "event_20240315_081212_F.MP4";
const QString kGroup = "event_20240315_081213";
// The group of a clip from the event recording's first second.
const QString kFirstSecondGroup = "event_20240315_081212";

} // namespace

TEST(ExportCommand, WritesEveryFileWithItsHashInTheManifestReportAndTrack)
{
    const ExportDemoCard &card = ExportDemoCard::instance();
    ASSERT_TRUE(card.ok());
    const QString out = outFolder("full");
    const QString file = card.path(kEvent);
    const QString originalHash = sha256(file);
    const ToolRun result = run(tovik(), {"export", file, "--from", "1.5", "--to", "3.5", "--out", out, "--side-by-side", "--report"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();

    const QStringList written = result.out.trimmed().split('\n');
    QStringList expected;
    for (const QString &name : {kGroup + "_F.MP4", kGroup + "_R.MP4", kGroup + ".gpx", kGroup + ".csv", kGroup + "_pip.mp4",
                                kGroup + "_report.pdf", QString("manifest.json")})
        expected << out + "/" + name;
    for (const QString &path : expected)
        EXPECT_TRUE(written.contains(path)) << path.toStdString();
    EXPECT_EQ(entries(out).size(), written.size()) << "no temporary file is left";

    QFile manifestFile(out + "/manifest.json");
    ASSERT_TRUE(manifestFile.open(QIODevice::ReadOnly));
    const QJsonObject manifest = QJsonDocument::fromJson(manifestFile.readAll()).object();
    EXPECT_EQ(manifest["from"].toDouble(), 1.5);
    EXPECT_EQ(manifest["to"].toDouble(), 3.5);
    // A key frame every second.
    EXPECT_EQ(manifest["actualFrom"].toDouble(), 1.0);
    EXPECT_TRUE(manifest["createdUtc"].toString().endsWith('Z'));
    const QJsonArray files = manifest["files"].toArray();
    ASSERT_EQ(files.size(), 2 + written.size() - 1);
    EXPECT_EQ(files[0].toObject()["name"].toString(), file) << "the original by its path as given";
    EXPECT_EQ(files[0].toObject()["sha256"].toString(), originalHash) << "the original is unchanged";
    EXPECT_EQ(files[1].toObject()["name"].toString(), card.path("event_20240315_081212_R.MP4"));

    QProcess pdftotext;
    pdftotext.start("pdftotext", {out + "/" + kGroup + "_report.pdf", "-"});
    ASSERT_TRUE(pdftotext.waitForFinished(60000));
    const QString report = QString::fromUtf8(pdftotext.readAllStandardOutput());
    for (const QJsonValue &entry : files) {
        const QJsonObject listed = entry.toObject();
        const QString path = listed["role"] == "original" ? listed["name"].toString() : out + "/" + listed["name"].toString();
        EXPECT_EQ(listed["sha256"].toString(), sha256(path)) << path.toStdString();
        EXPECT_EQ(listed["bytes"].toInteger(), QFileInfo(path).size()) << path.toStdString();
        if (listed["name"] != kGroup + "_report.pdf") {
            EXPECT_TRUE(report.contains(listed["sha256"].toString())) << listed["name"].toString().toStdString();
        }
    }
    // The instant is the impact, 40 % into the event recording: 1.6 s.
    EXPECT_TRUE(report.contains("2024-03-15 08:12:13.6")) << report.toStdString();
    EXPECT_TRUE(report.contains("2024-03-15 07:12:13.6 UTC")) << report.toStdString();
    EXPECT_TRUE(report.contains("Position (decimal degrees): 48.1")) << report.toStdString();
    EXPECT_TRUE(report.contains("\"N 11")) << report.toStdString();
    // No tile kept in this test's cache: the track is drawn to scale.
    EXPECT_TRUE(report.contains("Track drawn to scale")) << report.toStdString();
    EXPECT_FALSE(report.contains("OpenStreetMap"));
    EXPECT_GT(pixelsOnRoutePage(out + "/" + kGroup + "_report.pdf", QColor(246, 244, 238)), 10000) << "the plain ground";

    const ToolRun gpx = run("gpsbabel", {"-t", "-i", "gpx", "-f", out + "/" + kGroup + ".gpx", "-o", "unicsv", "-F", "-"});
    ASSERT_EQ(gpx.exitCode, 0) << gpx.err.toStdString();
    const QStringList points = gpx.out.trimmed().split('\n');
    // Header, then the samples from the key frame at 1.0 s to the end of
    // the picture shown at 3.5 s: 26 of them at ten a second.
    ASSERT_EQ(points.size(), 1 + 26) << gpx.out.toStdString();
    EXPECT_TRUE(points[0].contains("Date") && points[0].contains("Time")) << points[0].toStdString();
    EXPECT_TRUE(points[1].contains("2024/03/15") && points[1].contains("07:12:13")) << points[1].toStdString();
    QFile csv(out + "/" + kGroup + ".csv");
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_EQ(csv.readAll().count('\n'), 1 + 26);

    const ToolRun probe = run("ffprobe", {"-v", "error", "-show_entries", "format=duration", "-of", "csv=p=0", out + "/" + kGroup + "_pip.mp4"});
    EXPECT_EQ(probe.exitCode, 0);
    EXPECT_TRUE(probe.err.isEmpty()) << probe.err.toStdString();
}

TEST(ExportCommand, RefusesBadRangesMissingFilesItsOwnFolderAndExistingFiles)
{
    const ExportDemoCard &card = ExportDemoCard::instance();
    ASSERT_TRUE(card.ok());
    const QString file = card.path(kEvent);
    const QString out = outFolder("refused");
    expectRefused(run(tovik(), {"export", file, "--from", "3", "--to", "2", "--out", out}), "bad range");
    expectRefused(run(tovik(), {"export", file, "--from", "1", "--to", "500", "--out", out}), "bad range");
    expectRefused(run(tovik(), {"export", file, "--from", "x", "--to", "2", "--out", out}), "bad range");
    expectRefused(run(tovik(), {"export", card.path("nothing_here_F.MP4"), "--from", "0", "--to", "1", "--out", out}), "cannot read");
    expectRefused(run(tovik(), {"export", file, "--from", "0", "--to", "1", "--out", card.root()}), "own folder");
    expectRefused(run(tovik(), {"export", file, "--from", "0", "--to", "1", "--out", file + "/inside"}), "cannot make the folder");
    EXPECT_FALSE(QFileInfo::exists(out)) << "refused before anything was made";

    // A file with a recording's name that holds no video.
    const QString garbageCard = outFolder("garbage-card");
    ASSERT_TRUE(QDir().mkpath(garbageCard));
    QFile garbage(garbageCard + "/alwa_20240315_090000_F.MP4");
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(4096, '\x5a'));
    garbage.close();
    expectRefused(run(tovik(), {"export", garbage.fileName(), "--from", "0", "--to", "1", "--out", out}), "cannot read");
    EXPECT_FALSE(QFileInfo::exists(out));

    ASSERT_EQ(run(tovik(), {"export", file, "--from", "0", "--to", "1", "--out", out}).exitCode, 0);
    const QStringList first = entries(out);
    expectRefused(run(tovik(), {"export", file, "--from", "0.2", "--to", "1", "--out", out}), "--force");
    EXPECT_EQ(entries(out), first);
    const ToolRun forced = run(tovik(), {"export", file, "--from", "0.2", "--to", "1", "--out", out, "--force"});
    EXPECT_EQ(forced.exitCode, 0) << forced.err.toStdString();
    EXPECT_EQ(entries(out), first);
}

TEST(ExportCommand, FullTargetLeavesNoFileBehind)
{
    const ExportDemoCard &card = ExportDemoCard::instance();
    ASSERT_TRUE(card.ok());
    const QString out = outFolder("full-target");
    ASSERT_TRUE(QDir().mkpath(out));
    // A file-size limit stands in for a full disk: writes past it fail
    // with EFBIG instead of a signal.
    const ToolRun result = run(tovik(), {"export", card.path(kEvent), "--from", "0", "--to", "4", "--out", out, "--side-by-side"}, [] {
        const rlimit limit{20000, 20000};
        setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, SIG_IGN);
    });
    expectRefused(result, "too large");
    EXPECT_TRUE(entries(out).isEmpty()) << entries(out).join(' ').toStdString();
}

TEST(ExportCommand, ReportDrawsTheRouteOverKeptMapTilesWithTheirCredit)
{
    const ExportDemoCard &card = ExportDemoCard::instance();
    ASSERT_TRUE(card.ok());
    // A cache of its own, filled as the viewer fills it; the command must
    // find it where the viewer keeps it, under its own program name.
    const QString cache = outFolder("tile-cache");
    const QColor tileColour(90, 200, 150);
    fillTileStore(cache + "/Tovik/tovik-viewer/tiles", tileColour);
    if (HasFatalFailure())
        return;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CACHE_HOME", cache);
    const QString out = outFolder("mapped");
    const ToolRun result = run(tovik(), {"export", card.path(kEvent), "--from", "0", "--to", "2", "--out", out, "--report"}, {},
                               environment);
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QString pdf = out + "/" + kFirstSecondGroup + "_report.pdf";
    const QString routePage = pdfText(pdf, {"-f", "2", "-l", "2"});
    EXPECT_TRUE(routePage.contains("\u00a9 OpenStreetMap contributors")) << routePage.toStdString();
    EXPECT_TRUE(routePage.contains("Map tiles at zoom 17")) << "a short stretch fits the deepest zoom: " << routePage.toStdString();
    EXPECT_TRUE(routePage.contains("N")) << "north arrow";
    EXPECT_FALSE(routePage.contains("Track drawn to scale"));
    EXPECT_GT(pixelsOnRoutePage(pdf, tileColour), 10000) << "the tiles fill the route's box";

    // Tiles missing at every fitting zoom: back to the plain drawing.
    ASSERT_TRUE(QDir(cache + "/Tovik/tovik-viewer/tiles/17").removeRecursively());
    ASSERT_TRUE(QDir(cache + "/Tovik/tovik-viewer/tiles/16").removeRecursively());
    ASSERT_TRUE(QDir(cache + "/Tovik/tovik-viewer/tiles/15").removeRecursively());
    const ToolRun again = run(tovik(), {"export", card.path(kEvent), "--from", "0", "--to", "2", "--out", out, "--report", "--force"},
                              {}, environment);
    ASSERT_EQ(again.exitCode, 0) << again.err.toStdString();
    EXPECT_TRUE(pdfText(pdf).contains("Track drawn to scale"));
    EXPECT_EQ(pixelsOnRoutePage(pdf, tileColour), 0);
}

TEST(ExportCommand, ForcedExportThatFailsLateKeepsTheFilesItWasToReplace)
{
    const ExportDemoCard &card = ExportDemoCard::instance();
    ASSERT_TRUE(card.ok());
    const QString out = outFolder("forced-fails");
    ASSERT_EQ(run(tovik(), {"export", card.path(kEvent), "--from", "0", "--to", "1", "--out", out}).exitCode, 0);
    QMap<QString, QString> before;
    for (const QString &name : entries(out))
        before[name] = sha256(out + "/" + name);
    ASSERT_TRUE(before.contains("manifest.json"));
    // A folder in the way of the side-by-side video, which is renamed
    // after the channels, the track and the report have replaced theirs.
    ASSERT_TRUE(QDir().mkpath(out + "/" + kFirstSecondGroup + "_pip.mp4/inside"));

    const ToolRun result =
        run(tovik(), {"export", card.path(kEvent), "--from", "0.5", "--to", "1.5", "--out", out, "--side-by-side", "--force"});
    expectRefused(result, "cannot rename to");
    QMap<QString, QString> after;
    for (const QString &name : entries(out))
        after[name] = sha256(out + "/" + name);
    EXPECT_EQ(after, before) << "every earlier file back with its content, nothing new or temporary left";
    EXPECT_TRUE(QFileInfo(out + "/" + kFirstSecondGroup + "_pip.mp4/inside").isDir());
}
