#pragma once

#include "export/VRDExportFile.h"

#include <string>
#include <vector>

// manifest.json beside an export: the range asked for, where the export
// really starts (the key frame before the in point), when it was made and
// the hash of every original and every file written.
namespace VRDManifestWriter {

std::string json(double from, double to, double actualFrom, const std::string &createdUtc,
                 const std::vector<VRDExportFile> &files);

} // namespace VRDManifestWriter
