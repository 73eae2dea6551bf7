#pragma once

#include "io/VRDLogSink.h"

#include <QLoggingCategory>

// Messages of the main window and the windows it opens.
Q_DECLARE_LOGGING_CATEGORY(lcViewer)

// The core libraries' lines, as info messages of tovik.viewer.
VRDLogSink VRDViewerLogSink();
