#pragma once

#include "export/VRDExportFile.h"
#include "export/VRDReportMapPicture.h"
#include "export/VRDSampleText.h"

#include <QImage>

#include <optional>
#include <string>
#include <utility>
#include <vector>

// Everything the incident report shows, gathered before it is painted.
struct VRDIncidentReport {
    struct Series {
        std::string title;
        std::string unit;
        // Seconds from the marked instant, value.
        std::vector<std::pair<double, double>> points;
    };

    std::string clipName;
    std::string localTime;  // the camera's clock
    std::string utcTime;    // from the GPS receiver, empty when unknown
    std::optional<VRDSampleText::Position> position;
    std::string speed;
    QImage frontStill;
    QImage rearStill;
    Series speedSeries;
    Series gForceSeries;
    std::vector<VRDSampleText::Position> route;
    // The map under the route, when the tile store has it.
    std::optional<VRDReportMapPicture> map;
    std::vector<VRDExportFile> files;
    std::string version;
};
