#pragma once

#include "export/VRDIncidentReport.h"

#include <string>

// Writes the incident report as a PDF of two A4 pages: the instant's time,
// place and speed with both cameras' stills and the speed and G-force
// plots; then the route and the table of files with their hashes. Needs a
// QGuiApplication (fonts).
class VRDIncidentReportWriter {
public:
    static bool write(const VRDIncidentReport &report, const std::string &path, std::string &error);
};
