// The `tovik` command-line tool: card and recording functions for scripts.
#include "cli/CliLog.h"
#include "cli/CliOutput.h"
#include "cli/ClockCommand.h"
#include "cli/ConfigCommand.h"
#include "cli/DisksCommand.h"
#include "cli/DrvinfoCommand.h"
#include "cli/FormatCommand.h"
#include "cli/ListCommand.h"
#include "cli/RepairCommand.h"
#include "cli/TelemetryCommand.h"
#include "cli/TripsCommand.h"

#include <QCoreApplication>
#include <QStringList>

#include <clocale>

namespace {

using CommandFunction = int (*)(const QStringList &arguments);

struct Command {
    const char *name;
    const char *summary;
    CommandFunction run;
};

// Each entry's function lives in <Name>Command.cpp and takes the arguments
// after the sub-command name.
const Command kCommands[] = {
    {"list", "list the recordings of a folder and their front/rear pairs", cli::runList},
    {"config", "show, change or create a config.bin", cli::runConfig},
    {"drvinfo", "show or export the drive-information log", cli::runDrvinfo},
    {"clock", "write the clock-setting file timeset.cfg", cli::runClock},
    {"disks", "list the USB card volumes and the one taken as the dashcam's card", cli::runDisks},
    {"format", "format a card for the dashcam, keeping its config.bin", cli::runFormat},
    {"telemetry", "show the G-sensor and GPS samples embedded in a recording", cli::runTelemetry},
    {"trips", "group a card's recordings into drives and parking spans", cli::runTrips},
    {"repair", "recover recordings cut off by a power loss into RECOVERED/", cli::runRepair},
};

int printUsage()
{
    QString text = "usage: tovik [--verbose] <command> [options]\n\ncommands:\n";
    for (const Command &command : kCommands)
        text += QString("  %1  %2\n").arg(QString::fromLatin1(command.name), -10).arg(QString::fromLatin1(command.summary));
    text += "\n--verbose shows the libraries' messages on standard error.";
    text += "\n'tovik <command> --help' describes one command.";
    cli::printLine(text);
    return cli::kExitOk;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("tovik");
    QCoreApplication::setApplicationVersion(QStringLiteral(TOVIK_VERSION));
    std::setlocale(LC_NUMERIC, "C");

    QStringList arguments = QCoreApplication::arguments();
    cli::applyVerbosity(arguments);
    if (arguments.size() < 2 || arguments.at(1) == "--help" || arguments.at(1) == "-h")
        return printUsage();
    const QString name = arguments.at(1);
    for (const Command &command : kCommands) {
        if (name == QLatin1String(command.name))
            return command.run(arguments.mid(1));
    }
    return cli::fail(QString("unknown command '%1' (see 'tovik --help')").arg(name));
}
