#include "disk/TKDiskLog.h"

Q_LOGGING_CATEGORY(lcDisk, "tovik.disk")
