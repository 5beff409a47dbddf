// A data file is replaced only once its new contents are safely on disk, so
// a crash or a full disk mid-save never costs the player the old file.
#include "persist/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace {

// The rename is only durable once the folder itself is flushed; a folder
// that cannot be opened or flushed still holds the new file, so this is
// best effort.
void syncFolderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return;
    fsync(fd);
    close(fd);
}

// Reports the failure while errno still says why, then drops the
// half-written temporary file.
bool fail(const std::string& temporary, bool created)
{
    std::perror("Error opening file");
    if (created) {
        const int saved = errno;
        std::remove(temporary.c_str());
        errno = saved;
    }
    return false;
}

}  // namespace

bool replaceFile(const char* path, const char* bytes, std::size_t length)
{
    const std::string temporary = std::string(path) + ".tmp";

    std::FILE* file = std::fopen(temporary.c_str(), "w");
    if (file == nullptr)
        return fail(temporary, false);

    const bool written = std::fwrite(bytes, 1, length, file) == length && std::fflush(file) == 0
                         && fsync(fileno(file)) == 0;
    const int writeError = errno;
    if (std::fclose(file) != 0 || !written) {
        if (!written)
            errno = writeError;
        return fail(temporary, true);
    }

    if (std::rename(temporary.c_str(), path) != 0)
        return fail(temporary, true);

    syncFolderOf(path);
    return true;
}
