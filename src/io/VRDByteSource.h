#pragma once

#include <cstddef>
#include <cstdint>

// Random-access bytes of a recording: a file, or memory in tests and fuzzing.
class VRDByteSource {
public:
    virtual ~VRDByteSource() = default;

    virtual std::uint64_t size() const = 0;
    // Copies up to `count` bytes from the absolute `offset`; answers how many
    // arrived (fewer at the end of the data or on a read error).
    virtual std::size_t readAt(std::uint64_t offset, void *buffer, std::size_t count) = 0;
};
