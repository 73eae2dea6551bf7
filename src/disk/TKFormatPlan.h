#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The file system the dashcam expects: FAT32 labelled "TOVIK", two FATs,
// backup boot sector 6, exactly 32 reserved sectors.

// The cluster sizes a card may get, in sectors: the small one below 7 GiB.
inline constexpr std::array<long, 2> kTKSectorsPerClusterChoices{32, 128};

// Sectors per cluster for a card of that many bytes: 32 below 7 GiB, else 128.
long clusterSizeByVolumeSizeInKB(std::uint64_t volumeSize);

// The mkfs.fat argument vector (program name first) for that device node or
// image file. A whole medium without partition table needs mkfs.fat's -I.
std::vector<std::string> TKFormatCommandArguments(const std::string &devicePath, long sectorsPerCluster,
                                                  bool mediaWhole);

// "/dev/sdb1" for "sdb1"; nothing for a name that is not a plain device node
// name (empty, with a slash, starting with a dash or a dot).
std::optional<std::string> TKDevicePathForName(const std::string &deviceName);
