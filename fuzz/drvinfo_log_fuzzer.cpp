// Feeds arbitrary bytes to the drive-information log reader and formats
// every cell, the positions and the comma-separated text of what it reads.
#include "devicedata/VRDDriveInfoCsvWriter.h"
#include "devicedata/VRDDriveInfoLog.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const VRDDriveInfoLog log = VRDDriveInfoLog::fromBytes(std::span<const std::uint8_t>(data, size));
    for (std::int64_t row = 0; row < log.count(); ++row) {
        for (std::int64_t column = -1; column <= 21; ++column)
            static_cast<void>(log.stringForColumnIndex(column, row));
        static_cast<void>(log.positionOfRow(row));
    }
    static_cast<void>(VRDDriveInfoCsvWriter::text(log, {"a,b", "\"c\""}));
    return 0;
}
