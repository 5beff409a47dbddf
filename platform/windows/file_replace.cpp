// A data file is replaced only once its new contents are safely on disk, as
// on Linux: written beside it under a name of this save's own, flushed, and
// moved over it in one step. A file made read-only is refused, untouched; a
// folder that takes no new file has the file written in place.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include "platform/file_replace.h"

#include "platform/file_read.h"
#include "platform/game_files.h"
#include "platform/windows/file_access.h"
#include "platform/windows/system.h"

#include <cerrno>
#include <string>

namespace {

// Another copy of the game saving the same file at the same moment holds
// it open for an instant: the move is tried again for a while.
constexpr int moveTries = 50;
constexpr DWORD moveRetryMilliseconds = 10;

int lastErrno() { return sys::errnoFromError(GetLastError()); }

bool writeAll(HANDLE file, const char* bytes, std::size_t length)
{
    while (length > 0) {
        DWORD written = 0;
        if (!WriteFile(file, bytes, static_cast<DWORD>(length), &written, nullptr))
            return false;
        bytes += written;
        length -= written;
    }
    return true;
}

// A name no other save uses, made here and nowhere else.
HANDLE createTemporary(const std::string& target, std::string& name)
{
    static unsigned serial = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = target + "." + std::to_string(GetCurrentProcessId()) + "-" +
               std::to_string(++serial) + ".tmp";
        const HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS)
            return file;
    }
    return INVALID_HANDLE_VALUE;
}

// For a folder that takes no new file. The new bytes go over the old ones
// before the file is cut to their length, so it is never found empty.
int writeInPlace(const std::string& target, const char* bytes, std::size_t length)
{
    const HANDLE file = CreateFileA(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return lastErrno();
    int error = 0;
    if (!writeAll(file, bytes, length) || !SetEndOfFile(file) || !FlushFileBuffers(file))
        error = lastErrno();
    CloseHandle(file);
    return error;
}

bool moveOver(const std::string& from, const std::string& to)
{
    for (int attempt = 0; attempt < moveTries; ++attempt) {
        if (MoveFileExA(from.c_str(), to.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        const DWORD error = GetLastError();
        if (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION)
            return false;
        Sleep(moveRetryMilliseconds);
    }
    return false;
}

int failRemoving(int error, HANDLE file, const std::string& temporary)
{
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    DeleteFileA(temporary.c_str());
    return error;
}

}  // namespace

int replaceFileBytes(const char* path, const char* bytes, std::size_t length)
{
    const std::string target = gameFilePath(path);
    const DWORD attributes = GetFileAttributesA(target.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (!exists && GetLastError() != ERROR_FILE_NOT_FOUND)
        return lastErrno();
    if (exists) {
        if (const int state = plainFileState(target); state != 0)
            return state;
        // The file's own read-only mark, as the player set it.
        if ((attributes & FILE_ATTRIBUTE_READONLY) != 0)
            return EACCES;
    }

    std::string temporary;
    const HANDLE file = createTemporary(target, temporary);
    if (file == INVALID_HANDLE_VALUE) {
        const int error = lastErrno();
        if (exists && error == EACCES)
            return writeInPlace(target, bytes, length);
        return error;
    }
    if (!writeAll(file, bytes, length) || !FlushFileBuffers(file))
        return failRemoving(lastErrno(), file, temporary);
    CloseHandle(file);
    if (!moveOver(temporary, target))
        return failRemoving(lastErrno(), INVALID_HANDLE_VALUE, temporary);
    return 0;
}
