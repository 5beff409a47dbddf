// Work run in a child process: as an ordinary user where permissions matter
// (the suite runs as root, whom the kernel lets write anything), with a
// bound on how long it may take, or to be killed mid-way.
#pragma once

#include <functional>
#include <string>
#include <sys/types.h>

// An unprivileged user and group for the children (the usual "nobody").
constexpr uid_t ordinaryUser = 65534;
// Another one, for a file that belongs to someone else.
constexpr uid_t otherUser = 65533;

struct ChildResult {
    int status;          // the exit status; 128 + the signal when killed
    std::string errors;  // all it wrote to stderr
};

// A child started and not yet waited for.
struct Child {
    pid_t pid;
    int errors;  // the reading end of its stderr
};

// Starts `work` in a forked child, as `user` (its group the same number;
// root stays root); the child exits 0 when `work` returns true, 1
// otherwise. A child that runs longer than `limitSeconds` (a hang) is
// killed by SIGALRM.
Child startChild(uid_t user, const std::function<bool()>& work, unsigned limitSeconds = 60);
// Collects what it wrote to stderr and waits for it to end.
ChildResult waitForChild(const Child& child);
// Both at once.
ChildResult runInChild(uid_t user, const std::function<bool()>& work, unsigned limitSeconds = 60);

// Gives the file or folder to `user` (its group the same number) and sets
// its permission bits.
void giveTo(const std::string& path, uid_t user, unsigned mode);
