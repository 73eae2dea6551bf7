#include "cli/ClockCommand.h"

#include "cli/CliArguments.h"
#include "cli/CliOutput.h"
#include "config/TKClockFile.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace cli {

int runClock(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption timeOption("time", "The local time to send instead of now.", "YYYY/MM/DD HH:MM:SS");
    const std::optional<QString> argument = parseSingleArgument(parser, arguments, {
        "Writes timeset.cfg, from which the camera sets its clock at the next start: "
        "the local time as 19 bytes \"YYYY/MM/DD HH:MM:SS\".",
        "PATH", "A card folder (timeset.cfg is written at its root) or the file itself.", {timeOption}});
    if (!argument)
        return fail("clock: give exactly one card folder or file (see 'tovik clock --help')");

    std::tm time = TKClockFile::localNow();
    if (parser.isSet(timeOption)) {
        const auto parsed = TKClockFile::parse(parser.value(timeOption).toStdString());
        if (!parsed)
            return fail("clock: '" + parser.value(timeOption) + "' is not a valid time in the form YYYY/MM/DD HH:MM:SS");
        time = *parsed;
    }
    QString path = *argument;
    if (QFileInfo(path).isDir())
        path = QDir(path).filePath(TKClockFile::kFileName);
    if (const TKStatus<TKFileError> written = TKClockFile::write(QFile::encodeName(path).toStdString(), time); !written) {
        const QString detail = QString::fromLocal8Bit(written.failure().systemError.c_str());
        return fail(written.failure().writeProtected ? "clock: the card is write-protected (" + detail + ")"
                                          : "clock: could not write (" + detail + ")");
    }
    printLine(QString("wrote %1: %2").arg(path, QString::fromStdString(*TKClockFile::textFor(time))));
    return kExitOk;
}

} // namespace cli
