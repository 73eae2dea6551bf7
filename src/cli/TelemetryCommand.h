#pragma once

#include <QStringList>

namespace cli {

// `tovik telemetry FILE [--json|--csv|--gpx]`: the sensor samples embedded
// in a recording, as a summary, JSON, CSV or a GPX track.
int runTelemetry(const QStringList &arguments);

} // namespace cli
