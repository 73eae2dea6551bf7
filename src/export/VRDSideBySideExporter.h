#pragma once

#include "export/VRDClip.h"
#include "export/VRDClipSamples.h"
#include "export/VRDExportMonitor.h"
#include "export/VRDPipLayout.h"

#include <string>

// Writes the clip as one video to share: the front picture with the rear
// one in a corner, the date, time, speed, position and G-force burned in,
// and the sound of the chosen channel. Runs from the picture shown at the
// clip's start to the one shown at its end. Needs a QGuiApplication.
class VRDSideBySideExporter {
public:
    struct Options {
        VRDPipLayout::Corner corner = VRDPipLayout::Corner::TopRight;
        bool rearSound = false;        // the heard channel: front unless told
        const char *preset = "veryfast";
    };

    // False with `error` set on a fault or a cancel; the file at `path` is
    // then incomplete and the caller removes it.
    static bool write(const VRDClip &clip, const VRDClipSamples &samples, const std::string &path, const Options &options,
                      const VRDExportMonitor &monitor, std::string &error);
};
