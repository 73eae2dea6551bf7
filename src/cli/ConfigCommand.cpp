#include "cli/ConfigCommand.h"

#include "cli/CliArguments.h"
#include "cli/CliOutput.h"
#include "config/VRDFileData.h"
#include "config/VRDFileDataFields.h"
#include "config/VRDSettingRules.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

#include <charconv>
#include <cmath>
#include <cstdio>

namespace cli {
namespace {

QString numberList(const std::vector<double> &numbers)
{
    QStringList texts;
    for (const double number : numbers)
        texts << QString::number(number);
    return texts.join(", ");
}

// The English texts of the messages the settings rules give.
QString messageText(const VRDMessage &message)
{
    const std::vector<double> &a = message.arguments;
    if (message.key == "msg.gsensor_outofrange_fmt" && a.size() == 2)
        return QString("enter a value from %1 to %2 g").arg(a[0]).arg(a[1]);
    if (message.key == "msg.input_value_invalid_format")
        return "not a valid number";
    if (message.key == "msg.sdcard_ratio_too_low")
        return "each kind of recording needs at least 10 % of the card";
    if (message.key == "msg.sdcard_ratio_sum")
        return "the shares sd_mem_always_ratio, sd_mem_motion_ratio and sd_mem_event_ratio must add up to 100";
    if (message.key == "msg.value_out_of_range" && a.size() == 2)
        return QString("enter a whole number from %1 to %2").arg(a[0]).arg(a[1]);
    if (message.key == "msg.value_not_allowed")
        return "enter one of: " + numberList(a);
    if (message.key == "msg.text_too_long" && a.size() == 1)
        return QString("the text may be at most %1 bytes long").arg(a[0]);
    if (message.key == "setting.aux.ssid_length")
        return "the network name must be at least 5 characters long";
    if (message.key == "setting.aux.ssid_invalid")
        return "the network name may contain only letters, digits and symbols, without spaces";
    if (message.key == "setting.aux.password_length")
        return "the Wi-Fi password must be at least 8 characters long";
    if (message.key == "setting.aux.password_invalid")
        return "the Wi-Fi password may contain only letters, digits and symbols, without spaces";
    return QString::fromStdString(message.key);
}

QString writeFailureText(const TKFileError &error)
{
    const QString detail = QString::fromLocal8Bit(error.systemError.c_str());
    if (error.writeProtected)
        return "the card is write-protected (" + detail + ")";
    return "could not write the file (" + detail + ")";
}

std::string encodedPath(const QString &path)
{
    return QFile::encodeName(path).toStdString();
}

// JSON text of one string, with the escapes JSON needs.
QString jsonString(const QString &text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

// The shortest text that reads back as the same single-precision number.
QString floatText(float value)
{
    if (!std::isfinite(value))
        return "null";
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, static_cast<int>(result.ptr - buffer));
}

QString elementText(const FILEDATA &record, const VRDFieldInfo &field, std::size_t index)
{
    if (field.kind == VRDFieldKind::F32)
        return floatText(VRDFileDataFields::floatAt(record, field, index));
    return QString::number(VRDFileDataFields::integerAt(record, field, index));
}

QString valueJson(const FILEDATA &record, const VRDFieldInfo &field)
{
    if (field.kind == VRDFieldKind::Text)
        return jsonString(QString::fromUtf8(VRDFileDataFields::textOf(record, field)));
    if (field.count == 1)
        return elementText(record, field, 0);
    QStringList rows;
    for (std::size_t row = 0; row < field.count / field.rowLength; ++row) {
        QStringList elements;
        for (std::size_t i = 0; i < field.rowLength; ++i)
            elements << elementText(record, field, row * field.rowLength + i);
        rows << "[" + elements.join(", ") + "]";
    }
    return rows.size() == 1 ? rows.first() : "[" + rows.join(", ") + "]";
}

// Built as text: the fields keep their offset order, which a JSON object
// type that sorts its keys would lose.
QString recordJson(const QString &path, bool accepted, const FILEDATA &record)
{
    QStringList fields;
    for (const VRDFieldInfo &field : kFileDataFields)
        fields << "    " + jsonString(QString::fromLatin1(field.name.data(), static_cast<int>(field.name.size()))) +
                ": " + valueJson(record, field);
    return "{\n  \"path\": " + jsonString(path) + ",\n  \"accepted\": " + (accepted ? "true" : "false") +
        ",\n  \"fields\": {\n" + fields.join(",\n") + "\n  }\n}";
}

int runShow(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption jsonOption("json", "Print one JSON document.");
    const std::optional<QString> argument = parseSingleArgument(parser, arguments, {
        "Shows every field of a config.bin in file order.", "FILE", "The config.bin to show.", {jsonOption}});
    if (!argument)
        return fail("config show: give exactly one file (see 'tovik config show --help')");
    const QString path = *argument;
    if (!QFileInfo(path).isFile())
        return fail("config show: no such file: " + path);

    FILEDATA record{};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail("config show: cannot read " + path + ": " + file.errorString());
    file.close();
    const bool accepted = VRDReadFileData(encodedPath(path), record);
    if (parser.isSet(jsonOption)) {
        printLine(recordJson(path, accepted, record));
        return kExitOk;
    }
    printLine(QString("%1: %2").arg(path, accepted ? "accepted" : "not accepted (needs 1176 bytes with modelNum 201)"));
    for (const VRDFieldInfo &field : kFileDataFields)
        printLine(QString("%1  %2").arg(QString::fromLatin1(field.name.data(), static_cast<int>(field.name.size())), -26)
                      .arg(valueJson(record, field)));
    return kExitOk;
}

int runSet(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription("Changes settings of a config.bin, with the values the settings window "
                                     "offers (thresholds in g, e.g. gsen_x_threshold=0.5). Nothing is written "
                                     "unless every value is allowed.");
    parser.addPositionalArgument("FILE", "The config.bin to change.");
    parser.addPositionalArgument("NAME=VALUE", "Field name and new value; one or more.");
    processCommandLine(parser, arguments);
    const QStringList positional = parser.positionalArguments();
    if (positional.size() < 2)
        return fail("config set: give a file and at least one NAME=VALUE (see 'tovik config set --help')");
    const QString path = positional.at(0);
    if (!QFileInfo(path).isFile())
        return fail("config set: no such file: " + path);

    FILEDATA record{};
    if (!VRDReadFileData(encodedPath(path), record))
        return fail("config set: " + path + " is not a usable config.bin (needs 1176 bytes with modelNum 201)");

    std::vector<std::string> changed;
    for (const QString &assignment : positional.mid(1)) {
        const qsizetype equals = assignment.indexOf('=');
        if (equals <= 0)
            return fail("config set: expected NAME=VALUE, got '" + assignment + "'");
        const std::string name = assignment.left(equals).toStdString();
        const QString value = assignment.mid(equals + 1);
        const VRDSettingRule *rule = VRDSettingRules::find(name);
        if (rule == nullptr) {
            if (VRDFileDataFields::find(name) != nullptr)
                return fail(QString("config set: %1 is not edited by the settings window and cannot be set")
                                .arg(QString::fromStdString(name)));
            return fail(QString("config set: unknown field %1").arg(QString::fromStdString(name)));
        }
        if (const TKStatus<VRDMessage> applied = VRDSettingRules::apply(record, *rule, value.toStdString()); !applied)
            return fail("config set: " + assignment + ": " + messageText(applied.failure()));
        changed.push_back(name);
    }
    if (const TKStatus<VRDMessage> finished = VRDSettingRules::finish(record, changed); !finished)
        return fail("config set: " + messageText(finished.failure()));
    VRDPrepareFileDataForSave(record);
    if (const TKStatus<TKFileError> written = VRDWriteFileData(record, encodedPath(path)); !written)
        return fail("config set: " + writeFailureText(written.failure()));
    printLine("saved " + path);
    return kExitOk;
}

int runDefaults(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption forceOption("force", "Replace an existing file.");
    const std::optional<QString> argument = parseSingleArgument(parser, arguments, {
        "Writes a config.bin with the factory defaults and its check word.", "OUT", "The file to write.",
        {forceOption}});
    if (!argument)
        return fail("config defaults: give exactly one output file (see 'tovik config defaults --help')");
    const QString path = *argument;
    const QFileInfo info(path);
    if (info.isDir())
        return fail("config defaults: " + path + " is a folder");
    if (info.exists() && !parser.isSet(forceOption))
        return fail("config defaults: " + path + " exists; add --force to replace it");
    if (const TKStatus<TKFileError> written = VRDWriteDefaultFile(encodedPath(path)); !written)
        return fail("config defaults: " + writeFailureText(written.failure()));
    printLine("wrote " + path);
    return kExitOk;
}

} // namespace

int runConfig(const QStringList &arguments)
{
    const QString action = arguments.size() > 1 ? arguments.at(1) : QString();
    QStringList rest = arguments.mid(1);
    // Each action's help names it in full.
    if (!rest.isEmpty())
        rest.first() = "config " + action;
    if (action == "show")
        return runShow(rest);
    if (action == "set")
        return runSet(rest);
    if (action == "defaults")
        return runDefaults(rest);
    if (action == "--help" || action == "-h") {
        printLine("usage: tovik config show FILE [--json]\n"
                  "       tovik config set FILE NAME=VALUE...\n"
                  "       tovik config defaults OUT [--force]\n\n"
                  "'tovik config <action> --help' describes one action.");
        return kExitOk;
    }
    if (action.isEmpty())
        return fail("config: give an action: show, set or defaults (see 'tovik config --help')");
    return fail("config: unknown action '" + action + "' (show, set or defaults)");
}

} // namespace cli
