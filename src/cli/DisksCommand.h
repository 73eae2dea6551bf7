#pragma once

#include <QStringList>

namespace cli {

// `tovik disks [--json]`: the mounted removable USB volumes and the one
// taken as the dashcam's card.
int runDisks(const QStringList &arguments);

} // namespace cli
