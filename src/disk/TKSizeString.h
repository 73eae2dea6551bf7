#pragma once

#include <cstdint>
#include <string>

// Short size text of at most six characters ("0 B", "1.5 kB", "7.5 GB") that
// labels a disk in lists and messages. Units are powers of 1024; the tenths
// digit is the remainder in 1024ths divided by 100, as the camera tools show it.
std::string TKSizeString(std::uint64_t byteCount);
