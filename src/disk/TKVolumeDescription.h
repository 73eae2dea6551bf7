#pragma once

#include <cstdint>
#include <string>

// What the disk service knows about one file-system volume, mounted or not.
// The discovery logic works on lists of these, so it runs without a real
// disk service in tests.
struct TKVolumeDescription {
    std::string key;            // object path of the block device in the disk service
    std::string driveKey;       // object path of its drive; volumes of one medium share it
    std::string deviceName;     // device node name without "/dev/", e.g. "sdb1"
    std::string volumeName;     // file-system label
    std::string mountPath;      // empty when not mounted
    std::string deviceModel;    // empty when the drive reports none
    std::string connectionBus;  // "usb" for a USB card reader
    std::uint64_t size = 0;     // bytes
    bool removable = false;
    bool writable = false;
    bool mediaWhole = false;    // file system on the whole medium, no partition table
};
