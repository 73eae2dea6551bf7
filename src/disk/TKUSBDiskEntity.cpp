#include "disk/TKUSBDiskEntity.h"

#include "disk/TKSizeString.h"

#include <utility>

TKUSBDiskEntity::TKUSBDiskEntity(std::string volumeName, std::string mountedURL, std::string deviceFilePath,
                                 std::optional<std::string> deviceModel, std::uint64_t volumeSize, bool writable,
                                 bool mediaWhole, std::string key)
    : m_writable(writable)
    , m_mediaWhole(mediaWhole)
    , m_volumeName(std::move(volumeName))
    , m_mountedURL(std::move(mountedURL))
    , m_deviceFilePath(std::move(deviceFilePath))
    , m_deviceModel(std::move(deviceModel))
    , m_volumeSize(volumeSize)
    , m_key(std::move(key))
{
}

std::string TKUSBDiskEntity::displayString() const
{
    std::string text = "[" + TKSizeString(m_volumeSize) + "] " + m_volumeName + " ";
    if (m_deviceModel)
        text += "<" + *m_deviceModel + ">";
    return text;
}
