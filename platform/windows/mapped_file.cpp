// Kernel32's file handles and read-only mappings: the system's own, each
// failure's reason kept as the errno value the game reports it by.
#include "platform/mapped_file.h"

#include "platform/game_files.h"
#include "platform/windows/system.h"

#include <cerrno>

namespace {

int lastError = 0;

template <typename Result>
Result failed(Result result)
{
    lastError = sys::lastError();
    return result;
}

}  // namespace

HANDLE CreateFileA(LPCSTR fileName, DWORD access, DWORD, LPVOID, DWORD creation, DWORD, HANDLE)
{
    if (fileName == nullptr || access != GENERIC_READ || creation != OPEN_EXISTING) {
        lastError = EINVAL;
        return INVALID_HANDLE_VALUE;
    }
    const sys::Handle file = sys::openForReading(gameFilePath(fileName).c_str());
    if (file == static_cast<sys::Handle>(INVALID_HANDLE_VALUE))
        return failed(INVALID_HANDLE_VALUE);
    return static_cast<HANDLE>(file);
}

DWORD GetFileType(HANDLE file)
{
    const DWORD type = static_cast<DWORD>(sys::fileType(file));
    lastError = sys::lastError();
    return type;
}

DWORD GetFileSize(HANDLE file, DWORD* sizeHigh)
{
    std::uint64_t size = 0;
    if (!sys::fileSize(file, size))
        return failed(INVALID_FILE_SIZE);
    lastError = 0;
    if (sizeHigh != nullptr)
        *sizeHigh = static_cast<DWORD>(size >> 32);
    return static_cast<DWORD>(size);
}

HANDLE CreateFileMappingA(HANDLE file, LPVOID, DWORD protect, DWORD maximumSizeHigh,
                          DWORD maximumSizeLow, LPCSTR)
{
    if (protect != PAGE_READONLY || maximumSizeHigh != 0 || maximumSizeLow != 0) {
        lastError = EINVAL;
        return nullptr;
    }
    const sys::Handle mapping = sys::mapReadOnly(file);
    return mapping != nullptr ? static_cast<HANDLE>(mapping) : failed(HANDLE{nullptr});
}

LPVOID MapViewOfFile(HANDLE mapping, DWORD access, DWORD offsetHigh, DWORD offsetLow, SIZE_T bytes)
{
    if (access != FILE_MAP_READ || offsetHigh != 0 || offsetLow != 0 || bytes != 0) {
        lastError = EINVAL;
        return nullptr;
    }
    const void* view = sys::mapView(mapping);
    return view != nullptr ? const_cast<void*>(view) : failed(LPVOID{nullptr});
}

BOOL UnmapViewOfFile(LPCVOID view) { return sys::unmapView(view) ? TRUE : failed(FALSE); }

BOOL CloseHandle(HANDLE object)
{
    if (object == nullptr || object == INVALID_HANDLE_VALUE) {
        lastError = EBADF;
        return FALSE;
    }
    return sys::closeHandle(object) ? TRUE : failed(FALSE);
}

DWORD GetLastError() { return static_cast<DWORD>(lastError); }
