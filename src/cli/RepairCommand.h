#pragma once

#include <QStringList>

namespace cli {

// `tovik repair FILE|DIR [--reference FILE] [--out FILE] [--force] [--json]`:
// rebuilds recordings the camera could not finish (power lost) into a
// RECOVERED folder beside them, one summary line (or JSON object) per file.
int runRepair(const QStringList &arguments);

} // namespace cli
