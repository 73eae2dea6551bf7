#pragma once

#include <cstddef>

// Reads from the descriptor's current position until `size` bytes are in
// `buffer` or the file ends, going on after an interrupted call. Answers how
// many bytes were read; fewer than `size` at the end of the file or on an
// error.
std::size_t TKReadFully(int descriptor, void *buffer, std::size_t size);
