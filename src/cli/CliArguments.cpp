#include "cli/CliArguments.h"

namespace cli {

std::optional<QString> parseSingleArgument(QCommandLineParser &parser, const QStringList &arguments,
                                           const SingleArgumentSyntax &syntax)
{
    parser.setApplicationDescription(syntax.description);
    parser.addHelpOption();
    parser.addPositionalArgument(syntax.argumentName, syntax.argumentHelp);
    parser.addOptions(syntax.options);
    parser.process(arguments);
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1)
        return std::nullopt;
    return positional.first();
}

} // namespace cli
