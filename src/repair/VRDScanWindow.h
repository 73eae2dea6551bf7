#pragma once

#include "io/VRDByteSource.h"

#include <cstdint>
#include <vector>

// A sliding window over a range of a byte source, so a scan walks a 4 GB
// recording with one buffer: asks for bytes at increasing offsets and gets
// them contiguous. A read that comes back short ends the range there.
class VRDScanWindow {
public:
    // The largest run of contiguous bytes handed out at once (one video sample).
    static constexpr std::size_t kMaxContiguous = 64u << 20;

    VRDScanWindow(VRDByteSource &source, std::uint64_t begin, std::uint64_t end);

    std::uint64_t begin() const { return m_begin; }
    std::uint64_t end() const { return m_end; }
    // Bytes from `offset` to the end of the range.
    std::uint64_t available(std::uint64_t offset) const { return offset < m_end ? m_end - offset : 0; }
    // `count` contiguous bytes at `offset`, or nullptr when they do not all
    // exist or exceed kMaxContiguous. Valid until the next call.
    const std::uint8_t *bytes(std::uint64_t offset, std::size_t count);

private:
    bool load(std::uint64_t offset, std::size_t count);

    VRDByteSource &m_source;
    std::uint64_t m_begin;
    std::uint64_t m_end;
    std::vector<std::uint8_t> m_buffer;
    std::uint64_t m_bufferOffset = 0;
};
