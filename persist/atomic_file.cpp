// The data files' saves: the platform replaces the file, and a refusal is
// told in the game's own words.
#include "persist/atomic_file.h"

#include "persist/file_failure.h"
#include "platform/file_replace.h"

bool replaceFile(const char* path, const char* bytes, std::size_t length)
{
    const int error = replaceFileBytes(path, bytes, length);
    if (error != 0)
        reportFileFailure(path, error);
    return error == 0;
}
