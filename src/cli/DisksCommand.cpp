#include "cli/DisksCommand.h"

#include "cli/CliArguments.h"
#include "cli/CliLog.h"
#include "cli/CliOutput.h"
#include "disk/TKCardLocator.h"
#include "disk/TKFormatPlan.h"
#include "disk/TKSizeString.h"
#include "disk/TKUDisks2Service.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonObject>

namespace cli {
namespace {

QString text(const std::string &value)
{
    return QString::fromStdString(value);
}

QJsonObject diskJson(const TKUSBDiskEntity &disk)
{
    return QJsonObject{
        {"device", text(disk.deviceFilePath())},
        {"displayString", text(disk.displayString())},
        {"volumeName", text(disk.volumeName())},
        {"mountPath", text(disk.mountedURL())},
        {"model", disk.deviceModel() ? QJsonValue(text(*disk.deviceModel())) : QJsonValue(QJsonValue::Null)},
        {"size", static_cast<double>(disk.volumeSize())},
        {"sizeText", text(TKSizeString(disk.volumeSize()))},
        {"writable", disk.writable()},
        {"mediaWhole", disk.mediaWhole()},
        {"sectorsPerCluster", static_cast<int>(clusterSizeByVolumeSizeInKB(disk.volumeSize()))},
        {"key", text(disk.key())},
    };
}

void printDisks(const std::vector<TKUSBDiskEntity> &disks, const std::optional<TKUSBDiskEntity> &chosen)
{
    for (const TKUSBDiskEntity &disk : disks) {
        const bool isChosen = chosen && chosen->key() == disk.key();
        printLine(QString("%1 %2  %3  %4  %5, %6")
                      .arg(isChosen ? "*" : " ")
                      .arg(text(disk.deviceFilePath()), -10)
                      .arg(text(disk.displayString()))
                      .arg(text(disk.mountedURL()))
                      .arg(disk.writable() ? "writable" : "write-protected")
                      .arg(disk.mediaWhole() ? "whole medium" : "partition"));
    }
    if (chosen)
        printLine(QString("\n* the dashcam's card: %1").arg(text(chosen->deviceFilePath())));
}

} // namespace

int runDisks(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription("Lists the mounted removable volumes on USB card readers, as the format "
                                     "window shows them, and marks the one taken as the dashcam's card.");
    const QCommandLineOption jsonOption("json", "Print one JSON document instead of rows.");
    parser.addOption(jsonOption);
    processCommandLine(parser, arguments);
    if (!parser.positionalArguments().isEmpty())
        return fail("disks: takes no arguments (see 'tovik disks --help')");

    TKUDisks2Service service;
    const TKCardLocator::Survey survey = TKCardLocator(service, libraryLogSink()).survey();
    const std::vector<TKUSBDiskEntity> &disks = survey.disks;
    const std::optional<TKUSBDiskEntity> &chosen = survey.deviceDisk;

    if (parser.isSet(jsonOption)) {
        QJsonArray volumes;
        for (const TKUSBDiskEntity &disk : disks)
            volumes.append(diskJson(disk));
        printJson(QJsonDocument(QJsonObject{
            {"volumes", volumes},
            {"chosen", chosen ? QJsonValue(text(chosen->deviceFilePath())) : QJsonValue(QJsonValue::Null)},
            {"problem", survey.problem.empty() ? QJsonValue(QJsonValue::Null) : QJsonValue(text(survey.problem))},
        }));
        return kExitOk;
    }
    if (disks.empty()) {
        printLine(survey.problem.empty() ? QString("No USB volumes found.")
                                          : QString("No USB volumes found (%1).").arg(text(survey.problem)));
        return kExitOk;
    }
    printDisks(disks, chosen);
    return kExitOk;
}

} // namespace cli
