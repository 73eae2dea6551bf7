#include "viewer/VRDViewerLog.h"

#include "disk/TKCategoryLogSink.h"

Q_LOGGING_CATEGORY(lcViewer, "tovik.viewer")

VRDLogSink VRDViewerLogSink()
{
    return TKCategoryLogSink(lcViewer);
}
