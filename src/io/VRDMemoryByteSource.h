#pragma once

#include "io/VRDByteSource.h"

#include <cstdint>
#include <span>

// Bytes held by the caller, which keeps them alive while this source is used.
class VRDMemoryByteSource final : public VRDByteSource {
public:
    explicit VRDMemoryByteSource(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    std::uint64_t size() const override { return m_bytes.size(); }
    std::size_t readAt(std::uint64_t offset, void *buffer, std::size_t count) override;

private:
    std::span<const std::uint8_t> m_bytes;
};
