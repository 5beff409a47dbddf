// The one place the data files are read from disk. Opening without
// blocking lets a pipe or a device be seen for what it is before any read
// could wait on it or run for ever.
#include "platform/file_read.h"

#include "platform/game_files.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int failClosing(int fd, int error)
{
    close(fd);
    return error;
}

}  // namespace

int readFileBytes(const char* path, unsigned char* buffer, std::size_t capacity, std::size_t& count)
{
    count = 0;
    const int fd = open(gameFilePath(path).c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    struct stat status {};
    if (fstat(fd, &status) != 0)
        return failClosing(fd, errno);
    if (!S_ISREG(status.st_mode))
        return failClosing(fd, notPlainFileError(S_ISDIR(status.st_mode)));

    while (count < capacity) {
        const ssize_t got = read(fd, buffer + count, capacity - count);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return failClosing(fd, errno);
        if (got == 0)
            break;
        count += static_cast<std::size_t>(got);
    }
    close(fd);
    return 0;
}

int notPlainFileError(bool isFolder) { return isFolder ? EISDIR : EINVAL; }
