#pragma once

#include <QStringList>

namespace cli {

// `tovik export FILE --from S --to S --out DIR [--side-by-side] [--report]
// [--force]`: a clip of a recording and its twin, with its data, into DIR.
int runExport(const QStringList &arguments);

// Whether the arguments ask for output that paints (fonts need Qt Gui).
bool exportNeedsGui(const QStringList &arguments);

} // namespace cli
