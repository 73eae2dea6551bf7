// `tovik trips` and `tovik telemetry --gpx` on the demo card, the GPX read
// back by gpsbabel's track filter, which refuses points without a time.
#include "ProgramRun.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>

namespace {

QString tovik()
{
    return builtProgram("src/cli/tovik");
}

// Track points that gpsbabel's track filter accepts, as "date,time" rows.
QStringList gpsbabelTrackTimes(const QString &gpxPath, QByteArray *error)
{
    const ProgramRun read = runProgram("gpsbabel", {"-t", "-i", "gpx", "-f", gpxPath, "-x", "track,merge", "-o", "unicsv", "-F", "-"});
    *error = read.err;
    if (read.exitCode != 0)
        return {};
    // unicsv ends its lines with CR LF.
    QStringList rows = QString::fromUtf8(read.out).split("\r\n", Qt::SkipEmptyParts);
    if (!rows.isEmpty())
        rows.removeFirst(); // the header
    return rows;
}

class TripsCommand : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_card = qEnvironmentVariable("TOVIK_TEST_TMP") + "/trips-card";
        QDir(s_card).removeRecursively();
        s_generated = runProgram(qEnvironmentVariable("TOVIK_BUILD_DIR") + "/demo/tovik-demo-card", {s_card, "--no-video"});
    }

    void SetUp() override { ASSERT_EQ(s_generated.exitCode, 0) << s_generated.err.toStdString(); }

    static inline QString s_card;
    static inline ProgramRun s_generated;
};

} // namespace

TEST_F(TripsCommand, JsonShowsTheMorningsTwoDrivesParkingAndEvent)
{
    const ProgramRun trips = runProgram(tovik(), {"trips", "--json", s_card});
    ASSERT_EQ(trips.exitCode, 0) << trips.err.toStdString();
    QJsonParseError parseError;
    const QJsonObject json = QJsonDocument::fromJson(trips.out, &parseError).object();
    ASSERT_EQ(parseError.error, QJsonParseError::NoError) << trips.out.toStdString();
    EXPECT_EQ(json["directory"].toString(), QDir(s_card).absolutePath());

    QList<QJsonObject> morningDrives;
    for (const QJsonValue &trip : json["trips"].toArray()) {
        if (trip["start"].toString().startsWith("2024-03-16"))
            morningDrives.append(trip.toObject());
    }
    ASSERT_EQ(morningDrives.size(), 2);
    const QJsonObject first = morningDrives[0];
    const QJsonObject second = morningDrives[1];
    EXPECT_EQ(first["start"].toString(), "2024-03-16T06:30:00Z") << "07:30 in Munich";
    EXPECT_EQ(first["end"].toString(), "2024-03-16T06:30:30Z");
    EXPECT_TRUE(first["durationSeconds"].isDouble());
    EXPECT_DOUBLE_EQ(first["durationSeconds"].toDouble(), 30.0);
    EXPECT_GT(first["distanceMeters"].toDouble(), 100.0);
    EXPECT_NEAR(first["averageSpeedKmh"].toDouble(), first["distanceMeters"].toDouble() / 30.0 * 3.6, 0.06);
    EXPECT_GE(first["maxSpeedKmh"].toDouble(), first["averageSpeedKmh"].toDouble());
    EXPECT_TRUE(first["events"].toArray().isEmpty());
    EXPECT_EQ(first["recordings"].toArray().size(), 3);
    EXPECT_TRUE(first["recordings"].toArray()[0].toString().endsWith("/alwa_20240316_073000_F.MP4")) << "front, not rear";

    const QJsonArray events = second["events"].toArray();
    ASSERT_EQ(events.size(), 1);
    const QJsonObject impact = events[0].toObject();
    EXPECT_TRUE(impact["file"].toString().endsWith("/event_20240316_091520_F.MP4"));
    EXPECT_EQ(impact["time"].toString(), "2024-03-16T08:15:24Z");
    EXPECT_DOUBLE_EQ(impact["offsetSeconds"].toDouble(), 4.0);
    EXPECT_GT(impact["peakG"].toDouble(), 2.0);
    QStringList recordings;
    for (const QJsonValue &path : second["recordings"].toArray())
        recordings.append(QFileInfo(path.toString()).fileName());
    EXPECT_EQ(recordings, (QStringList{"alwa_20240316_091500_F.MP4", "alwa_20240316_091510_F.MP4",
                                       "event_20240316_091520_F.MP4", "alwa_20240316_091530_F.MP4"}));

    QJsonObject parkedBetween;
    for (const QJsonValue &span : json["parking"].toArray()) {
        if (span["start"].toString() == "2024-03-16T06:50:00Z")
            parkedBetween = span.toObject();
    }
    EXPECT_EQ(parkedBetween["end"].toString(), "2024-03-16T07:40:10Z");
    EXPECT_EQ(parkedBetween["recordings"].toArray().size(), 2);
    EXPECT_TRUE(parkedBetween["events"].toArray().isEmpty()) << "a parked car's tremor stays under the parking thresholds";
    EXPECT_FALSE(parkedBetween.contains("distanceMeters"));

    const ProgramRun table = runProgram(tovik(), {"trips", s_card});
    ASSERT_EQ(table.exitCode, 0);
    EXPECT_TRUE(table.out.contains("drive    2024-03-16 08:15:00   0:00:40")) << table.out.toStdString();
}

TEST_F(TripsCommand, GpxFilesOfTheDrivesAreReadByGpsbabelsTrackFilter)
{
    const QString outFolder = qEnvironmentVariable("TOVIK_TEST_TMP") + "/trips-gpx/made/here";
    QDir(outFolder).removeRecursively();
    const ProgramRun trips = runProgram(tovik(), {"trips", s_card, "--json", "--gpx", outFolder});
    ASSERT_EQ(trips.exitCode, 0) << trips.err.toStdString();
    EXPECT_TRUE(QJsonDocument::fromJson(trips.out).isObject()) << "--gpx keeps stdout pure JSON";
    const QString morning = outFolder + "/trip-20240316-063000.gpx";
    ASSERT_TRUE(QFile::exists(morning)) << QDir(outFolder).entryList().join(' ').toStdString();
    EXPECT_TRUE(QFile::exists(outFolder + "/trip-20240316-081500.gpx"));

    QByteArray error;
    const QStringList points = gpsbabelTrackTimes(morning, &error);
    ASSERT_EQ(points.size(), 300) << error.toStdString() << "30 s at ten fixes a second";
    EXPECT_TRUE(points.front().endsWith("2024/03/16,06:30:00")) << points.front().toStdString();
    EXPECT_TRUE(points.back().endsWith("2024/03/16,06:30:29.900")) << points.back().toStdString();

    const ProgramRun telemetry = runProgram(tovik(), {"telemetry", "--gpx", s_card + "/alwa_20240316_073010_F.MP4"});
    ASSERT_EQ(telemetry.exitCode, 0) << telemetry.err.toStdString();
    const QString single = qEnvironmentVariable("TOVIK_TEST_TMP") + "/single.gpx";
    QFile file(single);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(telemetry.out);
    file.close();
    const QStringList telemetryPoints = gpsbabelTrackTimes(single, &error);
    ASSERT_EQ(telemetryPoints.size(), 100) << error.toStdString();
    EXPECT_TRUE(telemetryPoints.front().endsWith("2024/03/16,06:30:10")) << telemetryPoints.front().toStdString();
}

TEST(TripsCommandArguments, BadFoldersAndGapsAreRefused)
{
    EXPECT_EQ(runProgram(tovik(), {"trips"}).exitCode, 1);
    EXPECT_EQ(runProgram(tovik(), {"trips", "/nonexistent/card"}).exitCode, 1);
    const ProgramRun gap = runProgram(tovik(), {"trips", "--gap", "soon", QDir::tempPath()});
    EXPECT_EQ(gap.exitCode, 1);
    EXPECT_TRUE(gap.err.contains("--gap")) << gap.err.toStdString();
    const ProgramRun empty = runProgram(tovik(), {"trips", "--json", QDir::tempPath()});
    EXPECT_EQ(empty.exitCode, 0);
    EXPECT_TRUE(empty.out.contains("\"trips\": [],")) << empty.out.toStdString();
}
