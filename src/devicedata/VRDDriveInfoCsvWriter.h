#pragma once

#include "devicedata/VRDDriveInfoLog.h"
#include "io/TKFileError.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Exports the drive-information table as comma-separated text: a title
// line, then one line per record, each line ending in "\n". The target is
// replaced whole. A field holding a comma, quote or line end is quoted as
// RFC 4180 says; other fields stand as they are.
class VRDDriveInfoCsvWriter {
public:
    static std::optional<TKFileError> write(const VRDDriveInfoLog &log, const std::vector<std::string> &titles,
                                            const std::string &path);
    // The whole text, for callers that print it.
    static std::string text(const VRDDriveInfoLog &log, const std::vector<std::string> &titles);
    static std::string field(std::string_view text);
};
