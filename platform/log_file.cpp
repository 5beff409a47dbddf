// The problem log's file on POSIX: opened without waiting, written only
// when it is a plain file.
#include "platform/log_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Opens the log emptied, or gives -1.
int openEmptiedLog(const std::string& path, int flags)
{
    const int fd = open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | flags, 0644);
    if (fd < 0)
        return -1;
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || ftruncate(fd, 0) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

void rewriteLogFile(const std::string& path, const std::string& bytes)
{
    const int fd = openEmptiedLog(path, O_CREAT);
    if (fd < 0)
        return;
    [[maybe_unused]] const ssize_t written = write(fd, bytes.data(), bytes.size());
    close(fd);
}

void emptyLogFile(const std::string& path)
{
    const int fd = openEmptiedLog(path, 0);
    if (fd >= 0)
        close(fd);
}
