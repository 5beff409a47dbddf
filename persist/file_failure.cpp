// Every failure of the data files is reported here and only here, so the
// line a player sees is the same wherever the failure happened.
#include "persist/file_failure.h"

#include <cerrno>
#include <cstdio>

void reportFileFailure(int error)
{
    errno = error;
    std::perror("Error opening file");
    errno = error;
}

int notPlainFileError(bool isFolder)
{
    return isFolder ? EISDIR : EINVAL;
}
