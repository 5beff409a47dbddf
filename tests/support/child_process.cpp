// Children for the tests: forked, perhaps as another user, their stderr
// collected, bounded in time.
#include "tests/support/child_process.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

Child startChild(uid_t user, const std::function<bool()>& work, unsigned limitSeconds)
{
    int errorPipe[2];
    if (pipe(errorPipe) != 0) {
        ADD_FAILURE() << "no pipe for the child's stderr";
        return {-1, -1};
    }
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(errorPipe[1], STDERR_FILENO);
        close(errorPipe[0]);
        close(errorPipe[1]);
        if (user != 0 && (setgroups(0, nullptr) != 0 || setresgid(user, user, user) != 0 ||
                          setresuid(user, user, user) != 0))
            _exit(99);
        alarm(limitSeconds);
        const bool done = work();
        std::fflush(nullptr);
        _exit(done ? 0 : 1);
    }
    close(errorPipe[1]);
    EXPECT_GT(pid, 0) << "cannot fork";
    return {pid, errorPipe[0]};
}

ChildResult waitForChild(const Child& child)
{
    if (child.pid <= 0)
        return {-1, ""};
    std::string errors;
    char chunk[512];
    for (;;) {
        const ssize_t got = read(child.errors, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        errors.append(chunk, static_cast<std::size_t>(got));
    }
    close(child.errors);
    int status = 0;
    while (waitpid(child.pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFSIGNALED(status))
        return {128 + WTERMSIG(status), errors};
    const int code = WEXITSTATUS(status);
    EXPECT_NE(code, 99) << "the child could not become another user";
    return {code, errors};
}

ChildResult runInChild(uid_t user, const std::function<bool()>& work, unsigned limitSeconds)
{
    return waitForChild(startChild(user, work, limitSeconds));
}

void giveTo(const std::string& path, uid_t user, unsigned mode)
{
    EXPECT_EQ(lchown(path.c_str(), user, user), 0) << path;
    EXPECT_EQ(chmod(path.c_str(), mode), 0) << path;
}
