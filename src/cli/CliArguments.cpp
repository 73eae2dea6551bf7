#include "cli/CliArguments.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

namespace cli {

void processCommandLine(QCommandLineParser &parser, const QStringList &arguments)
{
    const QCommandLineOption help = parser.addHelpOption();
    const QString command = QStringLiteral("tovik ") + arguments.value(0);
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(command), qPrintable(parser.errorText()));
        std::exit(EXIT_FAILURE);
    }
    if (parser.isSet(help)) {
        QString text = parser.helpText();
        const QString program = QCoreApplication::arguments().value(0);
        const QString usage = QStringLiteral("Usage: ");
        if (text.startsWith(usage + program))
            text.replace(usage.size(), program.size(), command);
        std::fputs(qPrintable(text), stdout);
        std::exit(EXIT_SUCCESS);
    }
}

std::optional<QString> parseSingleArgument(QCommandLineParser &parser, const QStringList &arguments,
                                           const SingleArgumentSyntax &syntax)
{
    parser.setApplicationDescription(syntax.description);
    parser.addPositionalArgument(syntax.argumentName, syntax.argumentHelp);
    parser.addOptions(syntax.options);
    processCommandLine(parser, arguments);
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1)
        return std::nullopt;
    return positional.first();
}

} // namespace cli
