#pragma once

#include <QStringList>

namespace cli {

// `tovik clock PATH [--time "YYYY/MM/DD HH:MM:SS"]`: writes the camera's
// clock-setting file timeset.cfg.
int runClock(const QStringList &arguments);

} // namespace cli
