// From generator to command-line tool: writes a demo card, lists it with
// `tovik list --json`, extracts every recording with `tovik telemetry
// --json` and compares what comes back with what the generator wrote.
#include "demo/DemoCardPlan.h"
#include "demo/DemoCutOffEvent.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <cmath>

namespace {

constexpr int kSeconds = 2;

QJsonObject runJson(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << " " << arguments.join(' ').toStdString() << " failed: "
                      << process.readAllStandardError().toStdString();
        return {};
    }
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(process.readAllStandardOutput(), &error);
    if (!document.isObject())
        ADD_FAILURE() << "no JSON object from " << program.toStdString() << ": " << error.errorString().toStdString();
    return document.object();
}

int expectedKind(const std::string &relativePath)
{
    const std::string name = relativePath.substr(relativePath.rfind('/') + 1);
    if (name.starts_with("alwa_"))
        return 0;
    return name.starts_with("motion_") ? 1 : 2;
}

// Checks the fixes of one sample: a copy of the parser's fix for its
// sentence, if it has one, then the fix decoded from the record.
void expectFixes(const QJsonArray &fixes, qsizetype &at, const BlackBoxSample &sample)
{
    if (!sample.nmea.empty()) {
        ASSERT_LT(at, fixes.size());
        const QJsonObject parsed = fixes[at++].toObject();
        const std::string address = sample.nmea.substr(0, 6);
        if (address == "$GPRMC") {
            EXPECT_EQ(parsed["gpsValid"].toInt(), 1);
            EXPECT_NEAR(parsed["SpeedOverGround"].toDouble(), sample.speed / 1.852, 0.6);
            // The file names tell local time in Munich; the receiver tells UTC.
            EXPECT_TRUE(parsed["Now"].toString().startsWith("2024-03-15T07:12:")) << parsed["Now"].toString().toStdString();
        } else if (address == "$GPGGA") {
            EXPECT_NEAR(parsed["Latitude"].toDouble(), sample.latitude, 1e-3);
            EXPECT_NEAR(parsed["Longitude"].toDouble(), sample.longitude, 1e-3);
            EXPECT_EQ(parsed["NS"].toString(), "N");
            EXPECT_EQ(parsed["EW"].toString(), "E");
            EXPECT_NEAR(parsed["HDOP"].toDouble(), sample.hdop, 1e-6);
        } else if (sample.nmea.starts_with("$GNGSA,A,3,6")) {
            // The GLONASS half completes the count of satellites in use.
            EXPECT_EQ(parsed["SatelliteUsedCount"].toInt(), static_cast<int>(sample.satellites));
        }
    }
    ASSERT_LT(at, fixes.size());
    const QJsonObject record = fixes[at++].toObject();
    EXPECT_EQ(record["Latitude"].toDouble(), sample.latitude);
    EXPECT_EQ(record["Longitude"].toDouble(), sample.longitude);
    EXPECT_EQ(record["SpeedOverGround"].toDouble(), sample.speed);
    EXPECT_EQ(record["HDOP"].toDouble(), sample.hdop);
    EXPECT_EQ(record["SatelliteUsedCount"].toInt(), static_cast<int>(sample.satellites));
    EXPECT_EQ(record["flags"].toInt(), sample.flags);
}

} // namespace

TEST(DemoEndToEnd, ListedAndExtractedCardMatchesWhatWasWritten)
{
    const QString build = qEnvironmentVariable("TOVIK_BUILD_DIR");
    const QString tovik = build + "/src/cli/tovik";
    const QString card = qEnvironmentVariable("TOVIK_TEST_TMP") + "/end-to-end-card";
    QDir(card).removeRecursively();
    QProcess generator;
    generator.start(build + "/demo/tovik-demo-card",
                    {card, "--duration", QString::number(kSeconds), "--width", "128", "--height", "72", "--fps", "10", "--no-morning"});
    ASSERT_TRUE(generator.waitForFinished(120000));
    ASSERT_EQ(generator.exitCode(), 0) << generator.readAllStandardError().toStdString();
    const DemoCardPlan plan({.durationSeconds = kSeconds, .count = DemoCardPlan::kStandardRecordingCount, .seed = 1});

    // The plan is already in the viewer's order: by time, front before rear.
    const QJsonObject listing = runJson(tovik, {"list", "--json", card});
    const QJsonArray recordings = listing["recordings"].toArray();
    // The crash of the standard card (three pairs, one cut off) comes last; its files are tested on their own.
    const auto crashFiles = static_cast<qsizetype>(DemoCutOffEvent(plan).recordings().size());
    ASSERT_EQ(recordings.size(), static_cast<qsizetype>(plan.recordings().size()) + crashFiles);
    EXPECT_EQ(listing["pairs"].toArray().size(), 9 + 3);
    for (qsizetype i = 0; i < recordings.size() - crashFiles; ++i) {
        const auto &expected = plan.recordings()[static_cast<std::size_t>(i)];
        const QJsonObject listed = recordings[i].toObject();
        EXPECT_EQ(QDir(card).relativeFilePath(listed["path"].toString()).toStdString(), expected.relativePath);
        EXPECT_EQ(listed["mediaDivision"].toInt(), expectedKind(expected.relativePath)) << expected.relativePath;
        EXPECT_EQ(listed["mediaDirection"].toInt(), expected.camera == DemoCardPlan::Camera::Front ? 0 : 1);
        EXPECT_EQ(listed["year"].toInt(), 2024);
    }

    for (qsizetype i = 0; i < recordings.size() - crashFiles; ++i) {
        const auto &recording = plan.recordings()[static_cast<std::size_t>(i)];
        SCOPED_TRACE(recording.relativePath);
        const QJsonObject telemetry = runJson(tovik, {"telemetry", "--json", recordings[i].toObject()["path"].toString()});
        const std::vector<BlackBoxSample> samples = plan.samplesOf(recording);
        const QJsonArray times = telemetry["times"].toArray();
        const QJsonArray raw = telemetry["rawGSensors"].toArray();
        const QJsonArray scaled = telemetry["gsensors"].toArray();
        const QJsonArray fixes = telemetry["fixes"].toArray();
        ASSERT_TRUE(telemetry["ok"].toBool());
        ASSERT_EQ(times.size(), static_cast<qsizetype>(samples.size()));
        ASSERT_EQ(raw.size(), times.size());
        ASSERT_EQ(scaled.size(), times.size());
        qsizetype fixAt = 0;
        for (std::size_t k = 0; k < samples.size(); ++k) {
            const auto index = static_cast<qsizetype>(k);
            const BlackBoxSample &sample = samples[k];
            EXPECT_EQ(times[index].toDouble(), sample.time);
            EXPECT_EQ(raw[index].toArray(), (QJsonArray{sample.gX, sample.gY, sample.gZ, sample.gT}));
            EXPECT_EQ(scaled[index].toArray()[0].toDouble(), static_cast<float>(sample.gX) * 0.00390625f);
            expectFixes(fixes, fixAt, sample);
        }
        EXPECT_EQ(fixAt, fixes.size());
    }
}
