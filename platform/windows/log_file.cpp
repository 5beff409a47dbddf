// The problem log's file on Win32, written only when it is a plain file
// (or not there yet).
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include "platform/log_file.h"

#include "platform/windows/file_access.h"

#include <cerrno>

namespace {

HANDLE openEmptied(const std::string& path, DWORD creation)
{
    const int state = plainFileState(path);
    if (state != 0 && !(state == ENOENT && creation == CREATE_ALWAYS))
        return INVALID_HANDLE_VALUE;
    return CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, creation,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

void rewriteLogFile(const std::string& path, const std::string& bytes)
{
    const HANDLE file = openEmptied(path, CREATE_ALWAYS);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

void emptyLogFile(const std::string& path)
{
    const HANDLE file = openEmptied(path, TRUNCATE_EXISTING);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
}
