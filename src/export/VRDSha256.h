#pragma once

#include <optional>
#include <string>

// The SHA-256 of a whole file as 64 lower-case hex digits, read in blocks
// (a 4 GB recording costs no memory); nothing when it cannot be read.
std::optional<std::string> VRDSha256OfFile(const std::string &path);
