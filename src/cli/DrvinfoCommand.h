#pragma once

#include <QStringList>

namespace cli {

// `tovik drvinfo FILE [--csv OUT]`: the camera's drive-information log as a
// table, or exported as comma-separated text.
int runDrvinfo(const QStringList &arguments);

} // namespace cli
