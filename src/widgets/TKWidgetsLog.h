#pragma once

#include <QLoggingCategory>

// Messages of the shared widgets (the map page's script console among them).
Q_DECLARE_LOGGING_CATEGORY(lcWidgets)
