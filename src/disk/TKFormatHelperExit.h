#pragma once

// Exit statuses of tovik-format-helper when it refuses to run mkfs.fat. They
// stay clear of mkfs.fat's own (0, 1) and of pkexec's (126, 127).
namespace TKFormatHelperExit {
constexpr int kAllowed = 0;
constexpr int kBadArguments = 64;
constexpr int kNotABlockDevice = 65;
constexpr int kNotRemovable = 66;
constexpr int kInUse = 67;
constexpr int kCannotInspect = 68;
constexpr int kCannotRun = 69;
} // namespace TKFormatHelperExit
