#pragma once

#include <QLoggingCategory>

// Messages of the disk service, the command runner and the format job.
Q_DECLARE_LOGGING_CATEGORY(lcDisk)
