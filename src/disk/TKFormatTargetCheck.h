#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

struct TKDeviceNumber {
    unsigned major = 0;
    unsigned minor = 0;

    bool operator==(const TKDeviceNumber &) const = default;
};

// Where the kernel describes block devices and what uses them. Tests point
// these at a made-up tree.
struct TKBlockDeviceSources {
    std::filesystem::path sysfs = "/sys";
    std::filesystem::path mounts = "/proc/self/mounts";
    std::filesystem::path swaps = "/proc/swaps";
    // The block device a path names, following links; nothing for anything else.
    std::function<std::optional<TKDeviceNumber>(const std::string &path)> blockDeviceAt;

    static TKBlockDeviceSources system();
};

struct TKFormatTargetVerdict {
    int exitStatus = 0;  // TKFormatHelperExit
    std::string reason;  // why it was refused

    bool allowed() const { return exitStatus == 0; }
};

// Decides whether tovik-format-helper may put a file system on a device: a
// block device on a removable medium or a USB bus (what a card reader is),
// of which nothing is mounted, used as swap or held by another device (device
// mapper, RAID): neither the device itself, nor a partition of it, nor the
// disk it is a partition of. Anything it cannot read counts as a refusal.
class TKFormatTargetCheck {
public:
    explicit TKFormatTargetCheck(TKBlockDeviceSources sources);

    TKFormatTargetVerdict check(const std::string &devicePath) const;

private:
    struct Target;

    std::optional<std::filesystem::path> sysfsFolder(TKDeviceNumber number) const;
    std::optional<TKFormatTargetVerdict> heldBy(const Target &target) const;
    std::optional<TKFormatTargetVerdict> usedBy(const Target &target, const std::filesystem::path &table,
                                                bool swaps) const;

    TKBlockDeviceSources m_sources;
};
