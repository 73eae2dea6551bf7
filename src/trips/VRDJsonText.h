#pragma once

#include <string>
#include <string_view>

// Pieces of JSON text.
namespace VRDJsonText {

// A quoted string; bytes that are not UTF-8 become U+FFFD, so the output
// is always valid JSON whatever a file name holds.
std::string string(std::string_view text);
// The value rounded to `decimals` places in its shortest form; null when it
// is not finite.
std::string number(double value, int decimals);

} // namespace VRDJsonText
