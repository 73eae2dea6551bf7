#include "cli/TripsCommand.h"

#include "cli/CliArguments.h"
#include "cli/CliOutput.h"
#include "trips/VRDCardTrips.h"
#include "trips/VRDTripGpxWriter.h"
#include "trips/VRDTripsJsonWriter.h"
#include "trips/VRDTripsTextWriter.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdio>

namespace cli {
namespace {

// An error text, or an empty one when every drive's file was written.
QString writeGpxFiles(const QString &folder, const std::vector<VRDTrip> &trips, int &written)
{
    if (!QDir().mkpath(folder))
        return QString("trips: cannot make the folder %1").arg(folder);
    for (const VRDTrip &trip : trips) {
        if (trip.kind != VRDTrip::Kind::Drive)
            continue;
        const QString path = QDir(folder).filePath(QString::fromStdString(VRDTripGpxWriter::fileName(trip)));
        const std::string text = VRDTripGpxWriter::write(trip);
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly)
            || file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()) || !file.commit())
            return QString("trips: cannot write %1: %2").arg(path, file.errorString());
        ++written;
    }
    return {};
}

} // namespace

int runTrips(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption jsonOption("json", "Print one JSON document instead of the table.");
    const QCommandLineOption gpxOption("gpx", "Write each drive as OUTDIR/trip-YYYYMMDD-hhmmss.gpx (UTC start).", "OUTDIR");
    const QCommandLineOption gapOption("gap", "Recordings starting within this many seconds of the previous one's end "
                                              "belong to one drive (default 120).", "SECONDS");
    const std::optional<QString> folder = parseSingleArgument(parser, arguments, {
        "Groups the recordings of a card folder into drives and parking spans, with distance, speeds and events "
        "(times in UTC).",
        "DIR", "The card folder, usually the card's root.", {jsonOption, gpxOption, gapOption}});
    if (!folder)
        return fail("trips: give exactly one folder (see 'tovik trips --help')");
    const QFileInfo info(*folder);
    if (!info.exists())
        return fail(QString("trips: no such folder: %1").arg(*folder));
    if (!info.isDir())
        return fail(QString("trips: not a folder: %1").arg(*folder));

    VRDCardTrips::Options options;
    if (parser.isSet(gapOption)) {
        bool ok = false;
        options.gapSeconds = parser.value(gapOption).toDouble(&ok);
        if (!ok || options.gapSeconds < 0 || options.gapSeconds > 86400)
            return fail("trips: --gap takes seconds from 0 to 86400");
    }
    const QString directory = QDir::cleanPath(info.absoluteFilePath());
    const std::string directoryBytes = QFile::encodeName(directory).toStdString();
    const VRDCardTrips::Result result = VRDCardTrips::read(directoryBytes, options);
    if (result.cacheError)
        std::fprintf(stderr, "tovik: trips: the index is not cached: %s\n", result.cacheError->c_str());

    int written = 0;
    if (parser.isSet(gpxOption)) {
        if (const QString error = writeGpxFiles(parser.value(gpxOption), result.trips, written); !error.isEmpty())
            return fail(error);
    }
    if (parser.isSet(jsonOption)) {
        const std::string text = VRDTripsJsonWriter::write(directoryBytes, result.trips);
        std::fwrite(text.data(), 1, text.size(), stdout);
        return kExitOk;
    }
    std::string text = VRDTripsTextWriter::write(directoryBytes, result.trips);
    text.pop_back();
    printLine(QString::fromStdString(text));
    if (parser.isSet(gpxOption))
        printLine(QString("wrote %1 GPX files to %2").arg(written).arg(parser.value(gpxOption)));
    return kExitOk;
}

} // namespace cli
