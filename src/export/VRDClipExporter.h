#pragma once

#include "export/VRDExportMonitor.h"
#include "export/VRDSideBySideExporter.h"
#include "maps/TKMapSource.h"

#include <QString>

#include <optional>
#include <string>
#include <vector>

// One export of a marked clip into a folder: both channels cut without
// re-encoding in the camera's layout with their data, the track as GPX
// and CSV, on request the side-by-side video and the incident report, and
// manifest.json with the hash of every original and every file written.
// All or nothing: the files appear under their names only when every one
// of them is complete. The report and the side-by-side video need a
// QGuiApplication.
class VRDClipExporter {
public:
    struct Request {
        std::string file;          // either channel, as given
        double from = 0.0;         // seconds from the file's start
        double to = 0.0;
        std::string directory;
        bool sideBySide = false;
        bool report = false;
        bool force = false;        // replace files of the same names
        VRDSideBySideExporter::Options sideBySideOptions;
        // Chain time of the report's instant; the strongest G-force of the
        // clip when not given.
        std::optional<double> instant;
        // Ends the clip with the recordings when `to` lies past them,
        // instead of refusing the range ("around now" at the very end).
        bool trimToRecordings = false;
        std::string version;
        // Where the report's map tiles come from: the viewer's chosen source
        // and its tile folder (empty: the viewer's own). Only tiles already
        // kept are used.
        TKMapSource mapSource;
        QString tileRoot;
    };

    struct Outcome {
        bool ok = false;
        std::string error;                 // one line
        std::vector<std::string> written;  // paths of the files made, in order
    };

    static Outcome run(const Request &request, const VRDExportMonitor &monitor);
};
