#pragma once

#include "io/VRDByteSource.h"

#include <string>

// A file opened for reading; every read is one positioned read, so the
// caller's absolute seeks cost no extra system call.
class VRDFileByteSource final : public VRDByteSource {
public:
    VRDFileByteSource() = default;
    ~VRDFileByteSource() override;
    VRDFileByteSource(const VRDFileByteSource &) = delete;
    VRDFileByteSource &operator=(const VRDFileByteSource &) = delete;

    // False when the file cannot be opened or is not a regular file.
    bool open(const std::string &path);

    std::uint64_t size() const override { return m_size; }
    std::size_t readAt(std::uint64_t offset, void *buffer, std::size_t count) override;

private:
    int m_descriptor = -1;
    std::uint64_t m_size = 0;
};
