// Kernel32's file handles and read-only mappings over POSIX descriptors and
// mmap: the picture files are opened without blocking and mapped whole.
#include "platform/mapped_file.h"

#include "platform/game_files.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

// A handle's record: an open descriptor, for a file or for a mapping of one.
struct PlatformFile {
    int fd = -1;
    bool mapping = false;
    std::uint64_t size = 0;  // a mapping's length
};

namespace {

struct View {
    void* address;
    std::size_t length;
};

// munmap needs the length a view was made with.
std::vector<View> views;

int lastError = 0;

template <typename Result>
Result failWith(int error, Result result)
{
    lastError = error;
    return result;
}

bool isFile(HANDLE handle)
{
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && !handle->mapping;
}

}  // namespace

HANDLE CreateFileA(LPCSTR fileName, DWORD access, DWORD, LPVOID, DWORD creation, DWORD, HANDLE)
{
    if (fileName == nullptr || access != GENERIC_READ || creation != OPEN_EXISTING)
        return failWith(EINVAL, INVALID_HANDLE_VALUE);
    const int fd =
        open(gameFilePath(fileName).c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return failWith(errno, INVALID_HANDLE_VALUE);
    struct stat status {};
    if (fstat(fd, &status) == 0 && S_ISDIR(status.st_mode)) {
        close(fd);
        return failWith(EISDIR, INVALID_HANDLE_VALUE);
    }
    return new PlatformFile{fd, false, 0};
}

DWORD GetFileType(HANDLE file)
{
    if (!isFile(file))
        return failWith(EBADF, FILE_TYPE_UNKNOWN);
    struct stat status {};
    if (fstat(file->fd, &status) != 0)
        return failWith(errno, FILE_TYPE_UNKNOWN);
    lastError = 0;
    if (S_ISREG(status.st_mode))
        return FILE_TYPE_DISK;
    if (S_ISCHR(status.st_mode))
        return FILE_TYPE_CHAR;
    if (S_ISFIFO(status.st_mode) || S_ISSOCK(status.st_mode))
        return FILE_TYPE_PIPE;
    return FILE_TYPE_UNKNOWN;
}

DWORD GetFileSize(HANDLE file, DWORD* sizeHigh)
{
    struct stat status {};
    if (!isFile(file))
        return failWith(EBADF, INVALID_FILE_SIZE);
    if (fstat(file->fd, &status) != 0)
        return failWith(errno, INVALID_FILE_SIZE);
    lastError = 0;
    const auto size = static_cast<std::uint64_t>(status.st_size);
    if (sizeHigh != nullptr)
        *sizeHigh = static_cast<DWORD>(size >> 32);
    return static_cast<DWORD>(size);
}

HANDLE CreateFileMappingA(HANDLE file, LPVOID, DWORD protect, DWORD maximumSizeHigh,
                          DWORD maximumSizeLow, LPCSTR)
{
    if (!isFile(file) || protect != PAGE_READONLY || maximumSizeHigh != 0 || maximumSizeLow != 0)
        return failWith(EINVAL, HANDLE{nullptr});
    struct stat status {};
    if (fstat(file->fd, &status) != 0)
        return failWith(errno, HANDLE{nullptr});
    if (!S_ISREG(status.st_mode))
        return failWith(ENODEV, HANDLE{nullptr});
    if (status.st_size <= 0)
        return failWith(EINVAL, HANDLE{nullptr});
    const int fd = fcntl(file->fd, F_DUPFD_CLOEXEC, 0);
    if (fd < 0)
        return failWith(errno, HANDLE{nullptr});
    return new PlatformFile{fd, true, static_cast<std::uint64_t>(status.st_size)};
}

LPVOID MapViewOfFile(HANDLE mapping, DWORD access, DWORD offsetHigh, DWORD offsetLow, SIZE_T bytes)
{
    if (mapping == nullptr || mapping == INVALID_HANDLE_VALUE || !mapping->mapping ||
        access != FILE_MAP_READ || offsetHigh != 0 || offsetLow != 0 || bytes != 0)
        return failWith(EINVAL, LPVOID{nullptr});
    if (mapping->size != static_cast<std::size_t>(mapping->size))
        return failWith(ENOMEM, LPVOID{nullptr});
    const auto length = static_cast<std::size_t>(mapping->size);
    void* view = mmap(nullptr, length, PROT_READ, MAP_PRIVATE, mapping->fd, 0);
    if (view == MAP_FAILED)
        return failWith(errno, LPVOID{nullptr});
    views.push_back(View{view, length});
    return view;
}

BOOL UnmapViewOfFile(LPCVOID view)
{
    const auto found = std::find_if(views.begin(), views.end(),
                                    [view](const View& v) { return v.address == view; });
    if (found == views.end())
        return failWith(EINVAL, FALSE);
    munmap(found->address, found->length);
    views.erase(found);
    return TRUE;
}

BOOL CloseHandle(HANDLE object)
{
    if (object == nullptr || object == INVALID_HANDLE_VALUE)
        return failWith(EBADF, FALSE);
    close(object->fd);
    delete object;
    return TRUE;
}

DWORD GetLastError() { return static_cast<DWORD>(lastError); }
