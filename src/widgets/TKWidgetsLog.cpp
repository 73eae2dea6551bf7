#include "widgets/TKWidgetsLog.h"

Q_LOGGING_CATEGORY(lcWidgets, "tovik.widgets")
