// Replaces a small file without ever losing the old one: the bytes go to a
// temporary file beside it, are flushed to disk, and are renamed over it.
#pragma once

#include <cstddef>

// On failure reports perror("Error opening file"), removes the temporary
// file and returns false; the old file is then untouched.
bool replaceFile(const char* path, const char* bytes, std::size_t length);
