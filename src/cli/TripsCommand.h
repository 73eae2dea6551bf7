#pragma once

#include <QStringList>

namespace cli {

// `tovik trips DIR [--json] [--gpx OUTDIR] [--gap SECONDS]`: the drives and
// parking spans of a card folder as a table or JSON, and each drive as a
// GPX file.
int runTrips(const QStringList &arguments);

} // namespace cli
