#pragma once

#include "disk/TKVolumeDescription.h"

#include <cstdint>
#include <string>

// Builder of volume descriptions as the disk service reports them: a
// mounted, writable, removable USB partition unless told otherwise.
class DisksVolumeFixture {
public:
    explicit DisksVolumeFixture(const std::string &deviceName)
    {
        m_volume.deviceName = deviceName;
        m_volume.key = "/org/freedesktop/UDisks2/block_devices/" + deviceName;
        m_volume.driveKey = "/org/freedesktop/UDisks2/drives/reader_" + deviceName;
        m_volume.volumeName = "NO NAME";
        m_volume.mountPath = "/media/user/" + deviceName;
        m_volume.deviceModel = "Card Reader";
        m_volume.connectionBus = "usb";
        m_volume.size = 8'000'000'000;
        m_volume.removable = true;
        m_volume.writable = true;
    }

    DisksVolumeFixture &label(const std::string &name) { m_volume.volumeName = name; return *this; }
    DisksVolumeFixture &mountedAt(const std::string &path) { m_volume.mountPath = path; return *this; }
    DisksVolumeFixture &model(const std::string &model) { m_volume.deviceModel = model; return *this; }
    DisksVolumeFixture &bus(const std::string &bus) { m_volume.connectionBus = bus; return *this; }
    DisksVolumeFixture &size(std::uint64_t bytes) { m_volume.size = bytes; return *this; }
    DisksVolumeFixture &readOnly() { m_volume.writable = false; return *this; }
    DisksVolumeFixture &fixed() { m_volume.removable = false; return *this; }
    DisksVolumeFixture &wholeMedium() { m_volume.mediaWhole = true; return *this; }
    DisksVolumeFixture &onDrive(const std::string &driveKey) { m_volume.driveKey = driveKey; return *this; }

    operator TKVolumeDescription() const { return m_volume; }

private:
    TKVolumeDescription m_volume;
};
