// Every failure of the data files is reported here and only here, so the
// line a player sees is the same wherever the failure happened.
#include "persist/file_failure.h"

#include "platform/problem_log.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

void reportFileFailure(const char* path, int error)
{
    errno = error;
    std::perror("Error opening file");
    logProblem(path, std::strerror(error));
    errno = error;
}
