#pragma once

#include <string>
#include <string_view>
#include <vector>

// One line of the kernel's table of mounts or swap areas.
struct TKMountEntry {
    std::string source;
    std::string mountPoint;
};

// Reads /proc/self/mounts and /proc/swaps. The kernel writes blanks, tabs,
// line ends and backslashes inside a path as octal escapes (\040); they come
// back as the characters. A line without its fields is skipped.
namespace TKMountTable {

std::vector<TKMountEntry> parseMounts(std::string_view text);

// Swap areas have no mount point: theirs is "[swap]". The first line is a header.
std::vector<TKMountEntry> parseSwaps(std::string_view text);

} // namespace TKMountTable
