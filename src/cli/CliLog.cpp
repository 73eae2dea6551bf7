#include "cli/CliLog.h"

#include "disk/TKCategoryLogSink.h"

namespace {

Q_LOGGING_CATEGORY(lcCli, "tovik.cli")

} // namespace

namespace cli {

VRDLogSink libraryLogSink()
{
    return TKCategoryLogSink(lcCli);
}

void applyVerbosity(QStringList &arguments)
{
    const bool verbose = arguments.removeAll(QStringLiteral("--verbose")) > 0;
    QLoggingCategory::setFilterRules(verbose ? QStringLiteral("tovik.*=true") : QStringLiteral("tovik.*=false"));
}

} // namespace cli
