// Problems a player would otherwise never see: each goes to the standard
// error stream as one line naming the file and the reason, and the latest
// are kept in "Data/trigonix.log", begun afresh by each run's first problem,
// for a player to send with a bug report.
#pragma once

// `file` is what the problem is about (a path, or a device such as the
// audio output); `reason` says what went wrong. A problem already kept in
// the log is not repeated, so one asked for every frame is told once.
void reportProblem(const char* file, const char* reason);
