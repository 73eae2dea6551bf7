#include "cli/FormatCommand.h"

#include "cli/CliArguments.h"
#include "cli/CliOutput.h"
#include "disk/TKFormatJob.h"
#include "disk/TKFormatPlan.h"
#include "disk/TKProcessCommandRunner.h"
#include "disk/TKUDisks2Service.h"
#include "disk/TKUSBDiskDiscovery.h"

#include <QCommandLineParser>
#include <QDir>
#include <QEventLoop>
#include <QTextStream>

#include <cstdio>

namespace cli {
namespace {

QString text(const std::string &value)
{
    return QString::fromStdString(value);
}

// Anything but a typed "yes" or "y", end of input included, is a refusal.
bool confirmed(const TKUSBDiskEntity &disk)
{
    QTextStream out(stdout);
    out << QString("Format %1 %2 (mounted at %3) as FAT32 \"TOVIK\", %4 sectors per cluster?\n"
                   "Everything on it is erased; config.bin is kept. Type yes to continue: ")
               .arg(text(disk.deviceFilePath()), text(disk.displayString()), text(disk.mountedURL()))
               .arg(clusterSizeByVolumeSizeInKB(disk.volumeSize()));
    out.flush();
    const QString line = QTextStream(stdin).readLine();
    if (line.isNull())
        out << "\n";
    const QString answer = line.trimmed().toLower();
    return answer == "yes" || answer == "y";
}

void printStep(const TKFormatStep &step)
{
    switch (step.state) {
    case TKFormatStep::State::Started:
        printLine(text(step.text));
        break;
    case TKFormatStep::State::Succeeded:
        if (!step.detail.empty())
            printLine("  " + text(step.detail));
        break;
    case TKFormatStep::State::Failed:
        printLine("  failed: " + text(step.detail));
        break;
    }
    std::fflush(stdout);
}

int report(const TKFormatResult &result)
{
    const QString disk = text(result.displayString);
    const QString kept = result.savedConfigPath.empty()
        ? QString()
        : QString("; the card's config.bin is kept at %1").arg(text(result.savedConfigPath));
    switch (result.status) {
    case TKFormatResult::Status::Completed:
        printLine(QString("Formatted: %1").arg(disk));
        return kExitOk;
    case TKFormatResult::Status::Refused:
        return fail("format: not formatted: " + text(result.message));
    case TKFormatResult::Status::FormatFailed:
        if (result.errorNumber == TKCommandError::kWriteProtected)
            return fail(QString("format: cannot format %1: the card is write-protected%2").arg(disk, kept));
        return fail(QString("format: cannot format %1: Error: %2%3").arg(disk, text(result.message), kept));
    case TKFormatResult::Status::RestoreFailed:
        return fail(QString("format: config.bin copy fail: %1%2").arg(text(result.message), kept));
    }
    return kExitFailure;
}

} // namespace

int runFormat(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption yesOption("yes", "Do not ask for confirmation.");
    const std::optional<QString> device = parseSingleArgument(parser, arguments, {
        "Formats a card for the dashcam: keeps its config.bin aside, unmounts it, "
        "makes a FAT32 file system labelled TOVIK (mkfs.fat through pkexec), mounts "
        "it again and puts config.bin back, or writes a default one.",
        "DEVICE", "The card's device, e.g. sdb1 or /dev/sdb1 (see 'tovik disks').", {yesOption}});
    if (!device)
        return fail("format: give exactly one device (see 'tovik format --help')");
    QString deviceName = *device;
    if (deviceName.startsWith("/dev/"))
        deviceName = deviceName.mid(5);

    TKUDisks2Service service;
    const TKVolumeListing listing = service.listVolumes();
    std::optional<TKUSBDiskEntity> disk;
    for (const TKUSBDiskEntity &candidate : TKUSBDiskEntities(listing.volumes)) {
        if (text(candidate.deviceFilePath()) == deviceName)
            disk = candidate;
    }
    if (!disk) {
        const QString why = listing.problem.empty() ? QString() : QString(" (%1)").arg(text(listing.problem));
        return fail(QString("format: %1 is not a mounted removable USB volume%2 (see 'tovik disks')")
                        .arg(*device, why));
    }
    if (!parser.isSet(yesOption) && !confirmed(*disk))
        return fail("format: not confirmed; nothing was changed");

    TKProcessCommandRunner runner;
    TKFormatJob job(service, runner, QDir::tempPath().toStdString());
    QEventLoop loop;
    QObject::connect(&job, &TKFormatJob::stepReported, &job, printStep);
    QObject::connect(&job, &TKFormatJob::finished, &loop, [&loop](const TKFormatResult &result) {
        loop.exit(report(result));
    });
    job.start(deviceName);
    return loop.exec();
}

} // namespace cli
