#include "cli/DrvinfoCommand.h"

#include "cli/CliArguments.h"
#include "cli/CliOutput.h"
#include "devicedata/VRDDriveInfoColumns.h"
#include "devicedata/VRDDriveInfoCsvWriter.h"
#include "devicedata/VRDDriveInfoLog.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <array>

namespace cli {
namespace {

// The English column titles of the settings window's table.
constexpr std::array<const char *, VRDDriveInfoColumns::kCount> kTitles{
    "No.",   "Seq",   "Date",        "Time",         "Day", "Latitude", "Longitude", "GPS", "Distance", "GPS Speed", "Speed",
    "RPM",   "Brake", "Left Signal", "Right Signal", "X",   "Y",        "Z",         "Battery (V)", "TTC", "DTC"};

std::vector<std::string> titles()
{
    return std::vector<std::string>(kTitles.begin(), kTitles.end());
}

void printTable(const VRDDriveInfoLog &log)
{
    std::array<qsizetype, VRDDriveInfoColumns::kCount> widths{};
    for (std::size_t column = 0; column < widths.size(); ++column) {
        widths[column] = static_cast<qsizetype>(std::strlen(kTitles[column]));
        for (std::int64_t row = 0; row < log.count(); ++row)
            widths[column] = std::max<qsizetype>(
                widths[column], static_cast<qsizetype>(log.stringForColumnIndex(static_cast<std::int64_t>(column), row).size()));
    }
    const auto line = [&widths](const auto &cellText) {
        QStringList cells;
        for (std::size_t column = 0; column < widths.size(); ++column)
            cells << QString::fromStdString(cellText(column)).rightJustified(widths[column]);
        printLine(cells.join("  "));
    };
    line([](std::size_t column) { return std::string(kTitles[column]); });
    for (std::int64_t row = 0; row < log.count(); ++row)
        line([&log, row](std::size_t column) { return log.stringForColumnIndex(static_cast<std::int64_t>(column), row); });
}

} // namespace

int runDrvinfo(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption csvOption("csv", "Write the table as comma-separated text to OUT.", "OUT");
    const std::optional<QString> argument = parseSingleArgument(parser, arguments, {
        "Shows the drive-information log (DrvInfo/tovik_000.drv) as a table of 21 "
        "columns, or writes it as comma-separated text.",
        "FILE", "The log file, or a card folder holding DrvInfo/tovik_000.drv.", {csvOption}});
    if (!argument)
        return fail("drvinfo: give exactly one log file (see 'tovik drvinfo --help')");
    QString path = *argument;
    if (QFileInfo(path).isDir())
        path = QDir(path).filePath(VRDDriveInfoLog::kCardPath);
    if (!QFileInfo(path).isFile())
        return fail("drvinfo: no such file: " + path);

    VRDDriveInfoLog log;
    if (auto error = VRDDriveInfoLog::read(QFile::encodeName(path).toStdString(), log))
        return fail("drvinfo: cannot read the log (" + QString::fromLocal8Bit(error->systemError.c_str()) + ")");
    if (!parser.isSet(csvOption)) {
        printTable(log);
        return kExitOk;
    }
    const QString out = parser.value(csvOption);
    if (QFileInfo(out).isDir())
        return fail("drvinfo: " + out + " is a folder");
    if (auto error = VRDDriveInfoCsvWriter::write(log, titles(), QFile::encodeName(out).toStdString()))
        return fail("drvinfo: could not write " + out + " (" + QString::fromLocal8Bit(error->systemError.c_str()) + ")");
    printLine(QString("wrote %1 records to %2").arg(log.count()).arg(out));
    return kExitOk;
}

} // namespace cli
