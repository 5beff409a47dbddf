// Saving a data file safely, and saying so when it cannot be saved.
#pragma once

#include <cstddef>

// Replaces the file at `path` with `bytes` as replaceFileBytes does (never
// losing the old file, refusing what is not a plain file the player may
// write). On failure reports "Error opening file" with the reason and
// returns false.
bool replaceFile(const char* path, const char* bytes, std::size_t length);
