#pragma once

#include <cstdint>
#include <optional>
#include <string>

// One mounted removable volume on a USB reader. Filled once, never changed.
class TKUSBDiskEntity {
public:
    TKUSBDiskEntity(std::string volumeName, std::string mountedURL, std::string deviceFilePath,
                    std::optional<std::string> deviceModel, std::uint64_t volumeSize, bool writable,
                    bool mediaWhole, std::string key);

    bool writable() const { return m_writable; }
    bool mediaWhole() const { return m_mediaWhole; }
    const std::string &volumeName() const { return m_volumeName; }
    // Mount point path of the volume.
    const std::string &mountedURL() const { return m_mountedURL; }
    // Device node name without its directory, e.g. "sdb1".
    const std::string &deviceFilePath() const { return m_deviceFilePath; }
    const std::optional<std::string> &deviceModel() const { return m_deviceModel; }
    std::uint64_t volumeSize() const { return m_volumeSize; }
    const std::string &key() const { return m_key; }

    // "[7.5 GB] TOVIK <Card Reader>", or "[7.5 GB] TOVIK " without a model.
    std::string displayString() const;

private:
    bool m_writable;
    bool m_mediaWhole;
    std::string m_volumeName;
    std::string m_mountedURL;
    std::string m_deviceFilePath;
    std::optional<std::string> m_deviceModel;
    std::uint64_t m_volumeSize;
    std::string m_key;
};
