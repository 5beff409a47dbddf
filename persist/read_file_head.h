// Reading the start of a data file, and saying so when it cannot be read.
#pragma once

#include <cstddef>

// Up to `capacity` bytes of the plain file at `path` into `buffer`: how
// many were read, or -1 after reporting "Error opening file" with the
// reason (a missing file, a folder, a pipe, a device, a failed read).
long readFileHead(const char* path, unsigned char* buffer, std::size_t capacity);
