#pragma once

#include "io/VRDLogSink.h"

#include <QLoggingCategory>

// Messages of the settings window, its tabs and the format window.
Q_DECLARE_LOGGING_CATEGORY(lcSettings)

// The core libraries' lines, as info messages of tovik.settings.
VRDLogSink VRDSettingsLogSink();
