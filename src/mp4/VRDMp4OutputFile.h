#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// A new file written front to back through a buffer, with a few bytes patched
// in place at the end (box sizes known only then). Every failure is kept as
// one line for error(); after the first one every call fails.
class VRDMp4OutputFile {
public:
    VRDMp4OutputFile() = default;
    ~VRDMp4OutputFile();
    VRDMp4OutputFile(const VRDMp4OutputFile &) = delete;
    VRDMp4OutputFile &operator=(const VRDMp4OutputFile &) = delete;

    // Creates or truncates the file.
    bool open(const std::string &path);
    bool append(std::span<const std::uint8_t> bytes);
    // Overwrites bytes already appended (flushes the buffer first).
    bool patch(std::uint64_t offset, std::span<const std::uint8_t> bytes);
    // Flushes, syncs to the medium and closes.
    bool close();

    // Bytes appended so far: the offset of the next one.
    std::uint64_t size() const { return m_size; }
    bool failed() const { return !m_error.empty(); }
    const std::string &error() const { return m_error; }
    // True when the last failure was a read-only medium or mount.
    bool writeProtected() const { return m_writeProtected; }

private:
    bool flush();
    bool writeAll(const std::uint8_t *bytes, std::size_t count);
    bool fail(const std::string &what, int errorNumber);

    std::string m_path;
    int m_descriptor = -1;
    std::vector<std::uint8_t> m_buffer;
    std::uint64_t m_size = 0;
    std::string m_error;
    bool m_writeProtected = false;
};
