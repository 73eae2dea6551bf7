#pragma once

#include <QStringList>

namespace cli {

// `tovik list DIR [--json]`: the recordings of a folder in the viewer's
// order, and their front/rear pairs.
int runList(const QStringList &arguments);

} // namespace cli
