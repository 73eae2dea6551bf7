#pragma once

#include "devicedata/VRDDriveInfoRecord.h"
#include "io/TKFileError.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// Decimal degrees of a record's position (north and east; the log has no
// hemisphere).
struct VRDDriveInfoPosition {
    double latitude = 0;
    double longitude = 0;
};

// The drive-information log DrvInfo/tovik_000.drv: a 12-byte header whose
// first little-endian word counts the 52-byte records that follow. Only
// whole records that the file really holds are kept, however large the
// count claims to be.
class VRDDriveInfoLog {
public:
    static constexpr std::size_t kHeaderSize = 12;
    static constexpr const char *kCardPath = "DrvInfo/tovik_000.drv";

    // Replaces `log` only on success.
    static std::optional<TKFileError> read(const std::string &path, VRDDriveInfoLog &log);
    static VRDDriveInfoLog fromBytes(std::span<const std::uint8_t> bytes);
    // Header and records as the camera writes them.
    static std::vector<std::uint8_t> toBytes(const std::vector<VRDDriveInfoRecord> &records);

    std::int64_t count() const { return static_cast<std::int64_t>(m_records.size()); }
    const VRDDriveInfoRecord &record(std::int64_t row) const { return m_records.at(static_cast<std::size_t>(row)); }

    // The cell text of a table column for a row (see VRDDriveInfoColumns);
    // "X" for a column outside 0 to 20, empty for a row outside the log.
    std::string stringForColumnIndex(std::int64_t column, std::int64_t row) const;
    // The position a double-click on the row shows, none outside the log.
    std::optional<VRDDriveInfoPosition> positionOfRow(std::int64_t row) const;

private:
    std::vector<VRDDriveInfoRecord> m_records;
};
