// A data file is replaced only once its new contents are safely on disk, so
// a crash or a full disk mid-save never costs the player the old file. The
// one place the data files are written.
#include "platform/file_replace.h"

#include "platform/file_read.h"
#include "platform/game_files.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// As many links as the system itself follows before giving up.
constexpr int linkLimit = 40;

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Drops what this save made and nothing else, and gives the reason.
int failRemoving(int error, int fd, const std::string& temporary)
{
    if (fd >= 0)
        close(fd);
    unlink(temporary.c_str());
    return error;
}

// The file a write to `path` reaches: every link followed, the last one
// possibly pointing at a file not made yet. False (errno set) on a loop.
bool followLinks(std::string& path)
{
    for (int links = 0; links <= linkLimit; ++links) {
        struct stat status {};
        if (lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode))
            return true;
        char target[PATH_MAX];
        const ssize_t length = readlink(path.c_str(), target, sizeof target);
        if (length < 0)
            return false;
        if (static_cast<std::size_t>(length) >= sizeof target) {
            errno = ENAMETOOLONG;
            return false;
        }
        const std::string next(target, static_cast<std::size_t>(length));
        path = next[0] == '/' ? next : folderOf(path) + "/" + next;
    }
    errno = ELOOP;
    return false;
}

bool inGroup(gid_t group)
{
    if (group == getegid())
        return true;
    const int count = getgroups(0, nullptr);
    if (count <= 0)
        return false;
    std::vector<gid_t> groups(static_cast<std::size_t>(count));
    const int filled = getgroups(count, groups.data());
    for (int i = 0; i < filled; ++i)
        if (groups[static_cast<std::size_t>(i)] == group)
            return true;
    return false;
}

// What the file's own permission bits allow the running user, so a file
// the player made read-only stays so even for an administrator.
bool bitsAllowWriting(const struct stat& status)
{
    if (status.st_uid == geteuid())
        return (status.st_mode & S_IWUSR) != 0;
    if (inGroup(status.st_gid))
        return (status.st_mode & S_IWGRP) != 0;
    return (status.st_mode & S_IWOTH) != 0;
}

bool writeAll(int fd, const char* bytes, std::size_t length)
{
    while (length > 0) {
        const ssize_t written = write(fd, bytes, length);
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return false;
        bytes += written;
        length -= static_cast<std::size_t>(written);
    }
    return true;
}

// A name no other save uses, made here and nowhere else: two copies of the
// game saving at once each write their own and the last rename wins.
int createTemporary(const std::string& target, std::string& name)
{
    static unsigned serial = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = target + "." + std::to_string(getpid()) + "-" + std::to_string(++serial) + ".tmp";
        const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// The rename is only durable once the folder itself is flushed; a folder
// that cannot be opened or flushed still holds the new file, so this is
// best effort.
void syncFolderOf(const std::string& path)
{
    const int fd = open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    fsync(fd);
    close(fd);
}

// For a folder that takes no new file. The new bytes go over the old ones
// before the file is cut to their length, so it is never found empty.
int writeInPlace(const std::string& target, const char* bytes, std::size_t length)
{
    const int fd = open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    struct stat status {};
    int error = 0;
    if (fstat(fd, &status) != 0)
        error = errno;
    else if (!S_ISREG(status.st_mode))
        error = notPlainFileError(S_ISDIR(status.st_mode));
    else if (!writeAll(fd, bytes, length) || ftruncate(fd, static_cast<off_t>(length)) != 0 ||
             fsync(fd) != 0)
        error = errno;
    if (close(fd) != 0 && error == 0)
        error = errno;
    return error;
}

}  // namespace

int replaceFileBytes(const char* path, const char* bytes, std::size_t length)
{
    std::string target = gameFilePath(path);
    if (!followLinks(target))
        return errno;

    struct stat old {};
    const bool exists = stat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT)
        return errno;
    if (exists && !S_ISREG(old.st_mode))
        return notPlainFileError(S_ISDIR(old.st_mode));
    if (exists && !bitsAllowWriting(old))
        return EACCES;

    std::string temporary;
    const int fd = createTemporary(target, temporary);
    if (fd < 0) {
        const int error = errno;
        if (exists && (error == EACCES || error == EPERM))
            return writeInPlace(target, bytes, length);
        return error;
    }

    if (exists && fchmod(fd, old.st_mode & 07777) != 0)
        return failRemoving(errno, fd, temporary);
    if (!writeAll(fd, bytes, length) || fsync(fd) != 0)
        return failRemoving(errno, fd, temporary);
    if (close(fd) != 0)
        return failRemoving(errno, -1, temporary);
    if (rename(temporary.c_str(), target.c_str()) != 0)
        return failRemoving(errno, -1, temporary);

    syncFolderOf(target);
    return 0;
}
