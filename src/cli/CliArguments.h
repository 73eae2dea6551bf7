#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace cli {

// What a sub-command that works on one file, folder or device accepts.
struct SingleArgumentSyntax {
    QString description;
    QString argumentName;
    QString argumentHelp;
    QList<QCommandLineOption> options;
};

// Reads a sub-command's command line as QCommandLineParser::process does (adding
// --help; a bad option or --help ends the program), with the help's usage line
// naming the command ("tovik list") rather than the program's path. The first
// argument is the command's name.
void processCommandLine(QCommandLineParser &parser, const QStringList &arguments);

// Reads such a command line with QCommandLineParser, so --help and unknown
// options end the program there alike in every sub-command. Gives the one
// positional argument, or nothing when there are none or several; the
// parser then answers for the options.
std::optional<QString> parseSingleArgument(QCommandLineParser &parser, const QStringList &arguments,
                                           const SingleArgumentSyntax &syntax);

} // namespace cli
