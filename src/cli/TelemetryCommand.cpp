#include "cli/TelemetryCommand.h"

#include "blackbox/VRDBlackBoxData.h"
#include "blackbox/VRDTelemetryFormatter.h"
#include "cli/CliArguments.h"
#include "cli/CliLog.h"
#include "cli/CliOutput.h"
#include "trips/VRDRecordingTrackReader.h"
#include "trips/VRDSampleTimes.h"
#include "trips/VRDUtcText.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>

namespace cli {
namespace {

// Each sample's UTC time as GPX text, empty where it has none.
std::vector<std::string> pointTimes(const std::string &path)
{
    const VRDRecordingTrack track = VRDRecordingTrackReader::read(path);
    std::vector<std::string> texts;
    for (const std::optional<double> &time : VRDSampleTimes::utc(path, track, VRDSampleTimes::profileFor(path)))
        texts.push_back(time ? VRDUtcText::iso(*time) : std::string());
    return texts;
}

} // namespace

int runTelemetry(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption jsonOption("json", "every list as JSON");
    const QCommandLineOption csvOption("csv", "one CSV row per sample");
    const QCommandLineOption gpxOption("gpx", "the record positions as a GPX 1.1 track with UTC times");
    const std::optional<QString> argument = parseSingleArgument(parser, arguments, {
        "Show the G-sensor and GPS samples embedded in a recording.", "FILE", "the recording (.mp4) to read",
        {jsonOption, csvOption, gpxOption}});
    if (!argument)
        return fail("telemetry takes exactly one recording (see 'tovik telemetry --help')");
    const int formats = int(parser.isSet(jsonOption)) + int(parser.isSet(csvOption)) + int(parser.isSet(gpxOption));
    if (formats > 1)
        return fail("choose one of --json, --csv and --gpx");

    const QString path = *argument;
    const QFileInfo info(path);
    if (!info.exists())
        return fail(QString("%1: no such file").arg(path));
    if (!info.isFile())
        return fail(QString("%1: not a regular file").arg(path));

    VRDBlackBoxData data(libraryLogSink());
    if (!data.ExtractStreamInformation(QFile::encodeName(path).toStdString()))
        return fail(QString("%1: cannot read the data track (unreadable, or not a recording of the camera)").arg(path));
    const auto samples = data.snapshot();

    std::string text;
    if (parser.isSet(jsonOption))
        text = VRDTelemetryFormatter::json(path.toStdString(), true, *samples);
    else if (parser.isSet(csvOption))
        text = VRDTelemetryFormatter::csv(*samples);
    else if (parser.isSet(gpxOption))
        text = VRDTelemetryFormatter::gpx(*samples, pointTimes(QFile::encodeName(path).toStdString()));
    else
        text = VRDTelemetryFormatter::summary(*samples);
    if (!text.empty() && text.back() == '\n')
        text.pop_back();
    printLine(QString::fromStdString(text));
    return kExitOk;
}

} // namespace cli
