// How the two data files report a failure: one line on stderr, "Error
// opening file" and the C library's reason, the values in memory staying.
#pragma once

// Reports `error` (an errno value) for the file at `path` and leaves errno
// set to it. The problem log also keeps it, with the file's name.
void reportFileFailure(const char* path, int error);
