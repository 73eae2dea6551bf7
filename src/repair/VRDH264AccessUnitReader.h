#pragma once

#include "repair/VRDScanWindow.h"

#include <cstdint>
#include <optional>
#include <set>
#include <span>

// Finds H.264 samples in MP4 media data: each sample is one access unit,
// a run of NAL units with a big-endian length prefix. A NAL unit must have
// a plausible length, a valid header, and (for slices) a known picture
// parameter set; an access unit starts with parameter sets, SEI or an access
// unit delimiter, or with a slice whose first macroblock is 0, and ends
// before the next such start or before bytes that are no NAL unit.
class VRDH264AccessUnitReader {
public:
    struct Setup {
        int lengthSize = 4;                           // bytes of the length prefix
        std::set<std::uint32_t> pictureParameterSets; // ids the slices may name
        std::uint64_t largestNal = 0;
    };

    struct AccessUnit {
        std::uint64_t size = 0;
        bool idr = false;
    };

    // The set-up an avcC record gives; nothing when the record is unusable.
    static std::optional<Setup> setupFrom(std::span<const std::uint8_t> avcC, std::uint64_t largestNal);

    explicit VRDH264AccessUnitReader(Setup setup) : m_setup(std::move(setup)) {}

    // The whole access unit at `offset`; nothing when none starts there or
    // its last NAL unit is cut short.
    std::optional<AccessUnit> read(VRDScanWindow &window, std::uint64_t offset) const;
    // Cheap test for a boundary: does an access unit start at `offset`?
    bool startsAccessUnit(VRDScanWindow &window, std::uint64_t offset) const;

private:
    enum class Role { Invalid, Leading, FirstSlice, MoreSlice, Trailing };

    struct Nal {
        Role role = Role::Invalid;
        std::uint64_t size = 0; // with the length prefix
        bool whole = false;
        bool idr = false;
    };

    Nal nalAt(VRDScanWindow &window, std::uint64_t offset) const;
    Role sliceRole(std::span<const std::uint8_t> payload) const;

    Setup m_setup;
};
