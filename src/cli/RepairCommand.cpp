#include "cli/RepairCommand.h"

#include "cli/CliArguments.h"
#include "cli/CliOutput.h"
#include "repair/VRDCutOffRecordings.h"
#include "repair/VRDRecordingRepairer.h"

extern "C" {
#include <libavutil/log.h>
}

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QTextStream>

namespace cli {

namespace {

QString text(const std::string &value)
{
    return QFile::decodeName(QByteArray::fromStdString(value));
}

QJsonObject json(const VRDRepairOutcome &outcome)
{
    const bool written = outcome.status == VRDRepairOutcome::Status::Recovered;
    return {
        {"input", text(outcome.input)},
        {"output", written ? QJsonValue(text(outcome.output)) : QJsonValue()},
        {"reference", written ? QJsonValue(text(outcome.reference)) : QJsonValue()},
        {"videoFrames", static_cast<qint64>(outcome.videoFrames)},
        {"audioFrames", static_cast<qint64>(outcome.audioFrames)},
        {"dataSamples", static_cast<qint64>(outcome.dataSamples)},
        {"seconds", outcome.seconds},
    };
}

QString summary(const VRDRepairOutcome &outcome)
{
    if (outcome.status == VRDRepairOutcome::Status::NotCutOff)
        return QString("%1: not cut off").arg(text(outcome.input));
    return QString("%1: recovered %2 video frames, %3 audio frames, %4 data samples, %5 s -> %6 (reference %7)")
        .arg(text(outcome.input))
        .arg(outcome.videoFrames)
        .arg(outcome.audioFrames)
        .arg(outcome.dataSamples)
        .arg(outcome.seconds, 0, 'f', 1)
        .arg(text(outcome.output), text(outcome.reference));
}

void printError(const VRDRepairOutcome &outcome)
{
    QTextStream(stderr) << "tovik: " << text(outcome.input) << ": " << text(outcome.error) << Qt::endl;
}

} // namespace

int runRepair(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption referenceOption("reference", "a healthy recording of the same camera to take the set-up from",
                                             "FILE");
    const QCommandLineOption outOption("out", "where to write the recovered recording (one FILE only)", "FILE");
    const QCommandLineOption forceOption("force", "replace an existing recovered recording");
    const QCommandLineOption jsonOption("json", "one JSON object per recording (an array for a folder)");
    const std::optional<QString> argument = parseSingleArgument(parser, arguments, {
        "Recover recordings that the camera could not finish (power lost): the media data is rebuilt into a "
        "playable recording in a RECOVERED folder beside it. The original is never changed.",
        "FILE|DIR", "a cut-off recording, or a folder whose cut-off recordings are all recovered",
        {referenceOption, outOption, forceOption, jsonOption}});
    if (!argument)
        return fail("repair takes exactly one recording or folder (see 'tovik repair --help')");
    // libavcodec reports every frame it rejects while frames are tried out; those are no errors here.
    av_log_set_level(AV_LOG_QUIET);

    const QFileInfo info(*argument);
    if (!info.exists())
        return fail(QString("%1: no such file or folder").arg(*argument));
    if (info.isDir() && parser.isSet(outOption))
        return fail("--out names one file: give it with one recording, not a folder");

    std::vector<std::string> inputs;
    if (info.isDir())
        inputs = VRDCutOffRecordings::inFolder(QFile::encodeName(*argument).toStdString(), parser.isSet(forceOption));
    else
        inputs.push_back(QFile::encodeName(*argument).toStdString());

    QJsonArray objects;
    bool allDone = true;
    for (const std::string &input : inputs) {
        VRDRepairRequest request{input};
        request.reference = QFile::encodeName(parser.value(referenceOption)).toStdString();
        request.output = QFile::encodeName(parser.value(outOption)).toStdString();
        request.force = parser.isSet(forceOption);
        const VRDRepairOutcome outcome = VRDRecordingRepairer::repair(request);
        if (outcome.status == VRDRepairOutcome::Status::Failed) {
            printError(outcome);
            allDone = false;
            continue;
        }
        if (parser.isSet(jsonOption))
            objects.append(json(outcome));
        else
            printLine(summary(outcome));
    }
    if (parser.isSet(jsonOption)) {
        if (info.isDir())
            printJson(QJsonDocument(objects));
        else if (!objects.isEmpty())
            printJson(QJsonDocument(objects.first().toObject()));
    } else if (info.isDir() && inputs.empty()) {
        printLine(QString("%1: no cut-off recordings").arg(*argument));
    }
    return allDone ? kExitOk : kExitFailure;
}

} // namespace cli
