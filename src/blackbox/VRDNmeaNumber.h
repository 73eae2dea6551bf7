#pragma once

#include <cstdint>
#include <string_view>

// Reads the leading decimal number of an NMEA field: leading blanks are
// skipped, the longest number found is taken, anything after it ignored,
// and a field without one reads 0.
namespace VRDNmeaNumber {

// Single precision, the precision the receiver's figures are kept in.
float leadingFloat(std::string_view field);
// Saturates at the 32-bit limits.
std::int32_t leadingInteger(std::string_view field);

} // namespace VRDNmeaNumber
