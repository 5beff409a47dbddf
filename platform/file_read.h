// Reads the start of a file without ever waiting on what stands in its
// place: a pipe, a device or a folder is refused, not read.
#pragma once

#include <cstddef>

// Up to `capacity` bytes of the plain file at `path` into `buffer`, and
// how many into `count`. Returns 0, or the reason as an errno value (a
// missing file, a folder, a pipe, a device, a failed read).
int readFileBytes(const char* path, unsigned char* buffer, std::size_t capacity,
                  std::size_t& count);

// The reason a file that is not a plain file is refused with: a folder
// says so; anything else (a pipe, a device) is the wrong kind of file.
int notPlainFileError(bool isFolder);
