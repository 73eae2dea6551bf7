#pragma once

#include "io/VRDLogSink.h"

#include <QLoggingCategory>
#include <QStringList>

namespace cli {

// The core libraries' lines as the command line passes them on.
VRDLogSink libraryLogSink();

// Takes --verbose out of the arguments: with it the libraries' messages
// (every tovik.* category) reach standard error, without it they stay
// quiet. The command's own lines and one-line errors show either way.
void applyVerbosity(QStringList &arguments);

} // namespace cli
