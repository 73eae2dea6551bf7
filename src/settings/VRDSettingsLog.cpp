#include "settings/VRDSettingsLog.h"

#include "disk/TKCategoryLogSink.h"

Q_LOGGING_CATEGORY(lcSettings, "tovik.settings")

VRDLogSink VRDSettingsLogSink()
{
    return TKCategoryLogSink(lcSettings);
}
