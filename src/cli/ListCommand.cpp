#include "cli/ListCommand.h"

#include "cli/CliArguments.h"
#include "cli/CliOutput.h"
#include "media/VRDMediaWalker.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

namespace cli {
namespace {

QString fromFileName(std::string_view name)
{
    return QFile::decodeName(QByteArray(name.data(), static_cast<qsizetype>(name.size())));
}

QJsonValue pathOrNull(const std::shared_ptr<const VRDMedia> &media)
{
    return media ? QJsonValue(fromFileName(media->path())) : QJsonValue(QJsonValue::Null);
}

QJsonObject recordingJson(const VRDMedia &media)
{
    return QJsonObject{
        {"path", fromFileName(media.path())},
        {"fileName", fromFileName(media.fileName())},
        {"mediaName", fromFileName(media.mediaName())},
        {"extension", fromFileName(media.extension())},
        {"dir", fromFileName(media.dir())},
        {"year", media.year()},
        {"month", media.month()},
        {"day", media.day()},
        {"hour", media.hour()},
        {"minute", media.minute()},
        {"second", media.second()},
        {"mediaDivision", media.mediaDivision()},
        {"mediaDirection", media.mediaDirection()},
        {"group", fromFileName(media.mediaGroupName())},
        {"sortKey", QString::fromStdString(media.yyyymmddhhmiss())},
    };
}

QJsonDocument catalogJson(const QString &directory, const VRDMediaCatalog &catalog)
{
    QJsonArray recordings;
    for (const std::shared_ptr<const VRDMedia> &media : catalog.medias())
        recordings.append(recordingJson(*media));
    QJsonArray pairs;
    for (const auto &[group, pair] : catalog.mediaPairDic()) {
        pairs.append(QJsonObject{
            {"group", fromFileName(group)},
            {"front", pathOrNull(pair.frontMedia)},
            {"rear", pathOrNull(pair.rearMedia)},
        });
    }
    return QJsonDocument(QJsonObject{{"directory", directory}, {"recordings", recordings}, {"pairs", pairs}});
}

QString kindText(const VRDMedia &media)
{
    if (media.isEventMedia())
        return "event";
    return media.isMotionMedia() ? "motion" : "always";
}

QString cameraText(const VRDMedia &media)
{
    if (media.isFrontMedia())
        return "front";
    return media.isRearMedia() ? "rear" : "unknown";
}

QString startText(const VRDMedia &media)
{
    if (media.year() == 0)
        return "unknown time";
    return QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d", media.year(), media.month(), media.day(),
        media.hour(), media.minute(), media.second());
}

// Paths below the listed folder are shown relative to it; the rows stay short.
QString shownPath(const QString &directory, const std::shared_ptr<const VRDMedia> &media)
{
    if (!media)
        return "-";
    return QDir(directory).relativeFilePath(fromFileName(media->path()));
}

void printCatalog(const QString &directory, const VRDMediaCatalog &catalog)
{
    printLine(QString("%1: %2 recordings, %3 pairs")
                  .arg(directory)
                  .arg(catalog.count())
                  .arg(catalog.mediaPairDic().size()));
    std::size_t row = 0;
    for (const std::shared_ptr<const VRDMedia> &media : catalog.medias()) {
        printLine(QString("%1  %2  %3  %4  %5")
                      .arg(++row, 5)
                      .arg(startText(*media), -19)
                      .arg(kindText(*media), -6)
                      .arg(cameraText(*media), -7)
                      .arg(shownPath(directory, media)));
    }
    if (catalog.mediaPairDic().empty())
        return;
    printLine("\npairs (group  front  rear):");
    for (const auto &[group, pair] : catalog.mediaPairDic()) {
        printLine(QString("  %1  %2  %3")
                      .arg(fromFileName(group))
                      .arg(shownPath(directory, pair.frontMedia))
                      .arg(shownPath(directory, pair.rearMedia)));
    }
}

} // namespace

int runList(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption jsonOption("json", "Print one JSON document instead of rows.");
    const std::optional<QString> folder = parseSingleArgument(parser, arguments, {
        "Lists the recordings of a folder (and its subfolders) in the viewer's "
        "order: by start time, then event, motion, always, then front before rear; "
        "then the front/rear pairs by group name.",
        "DIR", "The folder to list, usually the card's root.", {jsonOption}});
    if (!folder)
        return fail("list: give exactly one folder (see 'tovik list --help')");
    const QFileInfo info(*folder);
    if (!info.exists())
        return fail(QString("list: no such folder: %1").arg(*folder));
    if (!info.isDir())
        return fail(QString("list: not a folder: %1").arg(*folder));

    const QString directory = QDir::cleanPath(info.absoluteFilePath());
    const VRDMediaCatalog catalog = VRDMediaWalker::walk(QFile::encodeName(directory).toStdString());
    if (!catalog.directoryListed())
        return fail(QString("list: cannot read folder: %1").arg(*folder));

    if (parser.isSet(jsonOption))
        printJson(catalogJson(directory, catalog));
    else
        printCatalog(directory, catalog);
    return kExitOk;
}

} // namespace cli
