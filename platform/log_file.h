// The problem log's file, written whole each time. Only a plain file is
// written: a pipe or a device in its place must neither hang the game nor
// take the lines. Platform-private.
#pragma once

#include <string>

// Replaces what the file at `path` holds with `bytes`, making it if need
// be; nothing when it cannot (the error stream has the lines).
void rewriteLogFile(const std::string& path, const std::string& bytes);
// Empties the file if it is there.
void emptyLogFile(const std::string& path);
