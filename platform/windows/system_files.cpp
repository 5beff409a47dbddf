// Files opened for reading and mapped read-only, and Win32's error codes as
// the errno values the game reports them by.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include "platform/windows/system.h"

#include <cerrno>

namespace {

int failure = 0;

template <typename Result>
Result failWith(Result result)
{
    failure = sys::errnoFromError(GetLastError());
    return result;
}

}  // namespace

namespace sys {

int errnoFromError(unsigned long error)
{
    switch (error) {
    case ERROR_SUCCESS: return 0;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME: return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT: return EACCES;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return EEXIST;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
    case ERROR_COMMITMENT_LIMIT: return ENOMEM;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return ENOSPC;
    case ERROR_FILENAME_EXCED_RANGE: return ENAMETOOLONG;
    case ERROR_DIRECTORY: return EISDIR;
    case ERROR_INVALID_HANDLE: return EBADF;
    case ERROR_FILE_INVALID:
    case ERROR_INVALID_PARAMETER:
    case ERROR_INVALID_NAME: return EINVAL;
    default: return EIO;
    }
}

Handle openForReading(const char* path)
{
    // A folder cannot be opened this way, and Win32 says only "access
    // denied": the game is told what it is.
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        failure = EISDIR;
        return INVALID_HANDLE_VALUE;
    }
    const HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return failWith(INVALID_HANDLE_VALUE);
    return file;
}

unsigned long fileType(Handle file)
{
    SetLastError(ERROR_SUCCESS);
    const DWORD type = GetFileType(file);
    failure = type == FILE_TYPE_UNKNOWN ? errnoFromError(GetLastError()) : 0;
    return type;
}

bool fileSize(Handle file, std::uint64_t& size)
{
    LARGE_INTEGER value{};
    if (!GetFileSizeEx(file, &value))
        return failWith(false);
    failure = 0;
    size = static_cast<std::uint64_t>(value.QuadPart);
    return true;
}

Handle mapReadOnly(Handle file)
{
    const HANDLE mapping = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (mapping == nullptr)
        return failWith(Handle{nullptr});
    return mapping;
}

const void* mapView(Handle mapping)
{
    const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    if (view == nullptr)
        return failWith(static_cast<const void*>(nullptr));
    return view;
}

bool unmapView(const void* view)
{
    if (!UnmapViewOfFile(view))
        return failWith(false);
    return true;
}

bool closeHandle(Handle object)
{
    if (!CloseHandle(object))
        return failWith(false);
    return true;
}

int lastError() { return failure; }

}  // namespace sys
