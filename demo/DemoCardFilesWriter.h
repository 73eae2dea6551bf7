#pragma once

#include "devicedata/VRDDriveInfoRecord.h"

#include <optional>
#include <string>
#include <vector>

// Writes the card's own files into a demo card folder: config.bin (defaults
// with a few settings changed), timeset.cfg and the drive-information log
// DrvInfo/tovik_000.drv with a few hundred records along the demo route, in
// which every kind of cell value of the log table occurs.
class DemoCardFilesWriter {
public:
    static constexpr int kDriveInfoRecords = 300;

    // An error text, or nothing on success.
    static std::optional<std::string> write(const std::string &cardFolder);

    static std::vector<VRDDriveInfoRecord> driveInfoRecords();
};
