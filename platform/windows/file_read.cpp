// The one place the data files are read from disk, on Win32: a folder or a
// device in a file's place is refused, not read.
#include "platform/file_read.h"

#include "platform/game_files.h"
#include "platform/windows/file_access.h"

#include <cerrno>
#include <cstring>
#include <string>

int readFileBytes(const char* path, unsigned char* buffer, std::size_t capacity, std::size_t& count)
{
    count = 0;
    std::string bytes;
    const int error = readWholeFile(gameFilePath(path), bytes, capacity);
    if (error != 0)
        return error;
    std::memcpy(buffer, bytes.data(), bytes.size());
    count = bytes.size();
    return 0;
}

int notPlainFileError(bool isFolder) { return isFolder ? EISDIR : EINVAL; }
