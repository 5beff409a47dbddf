// The file work the Windows side of the data files, the log and the game's
// folders share: a file opened and told for what it is, and whole small
// files read and written.
#pragma once

#include <string>

// 0 when `path` is a plain file that is there; otherwise why not, as an
// errno value (a folder: EISDIR; a device: EINVAL; missing: ENOENT).
int plainFileState(const std::string& path);
// The file's bytes, up to `limit` of them, into `bytes`; 0 or an errno value.
int readWholeFile(const std::string& path, std::string& bytes, std::size_t limit);
