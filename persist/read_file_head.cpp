// The one place the data files are read from disk. Opening without
// blocking lets a pipe or a device be seen for what it is before any read
// could wait on it or run for ever.
#include "persist/read_file_head.h"

#include "persist/file_failure.h"
#include "platform/game_files.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

long failClosing(const char* path, int fd, int error)
{
    close(fd);
    reportFileFailure(path, error);
    return -1;
}

}  // namespace

long readFileHead(const char* path, unsigned char* buffer, std::size_t capacity)
{
    const int fd = open(gameFilePath(path).c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        reportFileFailure(path, errno);
        return -1;
    }
    struct stat status {};
    if (fstat(fd, &status) != 0)
        return failClosing(path, fd, errno);
    if (!S_ISREG(status.st_mode))
        return failClosing(path, fd, notPlainFileError(S_ISDIR(status.st_mode)));

    std::size_t count = 0;
    while (count < capacity) {
        const ssize_t got = read(fd, buffer + count, capacity - count);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return failClosing(path, fd, errno);
        if (got == 0)
            break;
        count += static_cast<std::size_t>(got);
    }
    close(fd);
    return static_cast<long>(count);
}
