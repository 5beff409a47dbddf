// Whole small files read on Win32, each told for what it is first.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include "platform/windows/file_access.h"

#include "platform/file_read.h"
#include "platform/windows/system.h"

#include <algorithm>
#include <cerrno>

namespace {

int openForReading(const std::string& path, HANDLE& file)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return sys::errnoFromError(GetLastError());
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return notPlainFileError(true);
    file = CreateFileA(path.c_str(), GENERIC_READ,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return sys::errnoFromError(GetLastError());
    // A device (NUL, CON) answers to a file's name too.
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        file = INVALID_HANDLE_VALUE;
        return notPlainFileError(false);
    }
    return 0;
}

}  // namespace

int plainFileState(const std::string& path)
{
    HANDLE file = INVALID_HANDLE_VALUE;
    const int error = openForReading(path, file);
    if (error == 0)
        CloseHandle(file);
    return error;
}

int readWholeFile(const std::string& path, std::string& bytes, std::size_t limit)
{
    bytes.clear();
    HANDLE file = INVALID_HANDLE_VALUE;
    if (const int error = openForReading(path, file); error != 0)
        return error;
    int error = 0;
    char buffer[4096];
    while (bytes.size() < limit) {
        DWORD got = 0;
        const DWORD wanted =
            static_cast<DWORD>(std::min<std::size_t>(sizeof buffer, limit - bytes.size()));
        if (!ReadFile(file, buffer, wanted, &got, nullptr)) {
            error = sys::errnoFromError(GetLastError());
            break;
        }
        if (got == 0)
            break;
        bytes.append(buffer, got);
    }
    CloseHandle(file);
    return error;
}
