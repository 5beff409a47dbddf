// The data files' loads: the platform reads the file without waiting on
// whatever stands in its place, and a refusal is told in the game's words.
#include "persist/read_file_head.h"

#include "persist/file_failure.h"
#include "platform/file_read.h"

long readFileHead(const char* path, unsigned char* buffer, std::size_t capacity)
{
    std::size_t count = 0;
    const int error = readFileBytes(path, buffer, capacity, count);
    if (error != 0) {
        reportFileFailure(path, error);
        return -1;
    }
    return static_cast<long>(count);
}
