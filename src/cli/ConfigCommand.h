#pragma once

#include <QStringList>

namespace cli {

// `tovik config show FILE [--json]`, `tovik config set FILE NAME=VALUE…`,
// `tovik config defaults OUT [--force]`: the camera's config.bin.
int runConfig(const QStringList &arguments);

} // namespace cli
