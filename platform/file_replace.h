// Replaces a small file without ever losing the old one: the bytes go to a
// temporary file beside it, are flushed to disk, and are renamed over it.
#pragma once

#include <cstddef>

// Saves as a write of the file itself would, only safely: through a link
// to its target, keeping the old file's permission bits, and in place
// where the folder takes no new file but the file may be written. Refuses,
// leaving it untouched, a file its permission bits do not let the running
// user write and anything that is not a plain file. Returns 0, or the
// reason as an errno value, leaving no temporary file behind.
int replaceFileBytes(const char* path, const char* bytes, std::size_t length);
