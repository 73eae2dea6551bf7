#pragma once

#include "export/VRDClip.h"
#include "export/VRDExportMonitor.h"

#include <string>

// Cuts one channel of a clip without re-encoding: the pictures from the
// key frame at or before the clip's start to the one shown at its end, the
// sound of that span and the data-track chunks that cover it, copied into
// one file in the camera's own layout, so the viewer reads its G-sensor,
// speed and route like a recording of the camera's.
class VRDLosslessExporter {
public:
    // False with `error` set on a fault or a cancel; the file at `path` is
    // then unusable and the caller removes it.
    static bool write(const VRDClipChannel &channel, const std::string &path, const VRDExportMonitor &monitor,
                      std::string &error);
};
