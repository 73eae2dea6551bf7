#pragma once

#include <QStringList>

namespace cli {

// `tovik format DEVICE [--yes]`: formats a card for the dashcam as the format
// window does, keeping its config.bin.
int runFormat(const QStringList &arguments);

} // namespace cli
