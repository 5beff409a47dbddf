// Problems a player would otherwise never see: each goes to the standard
// error stream as one line naming the file and the reason, and the latest
// are kept in "Data/trigonix.log", emptied at each start, for a player to
// send with a bug report.
#pragma once

// `file` is what the problem is about (a path, or a device such as the
// audio output); `reason` says what went wrong. A problem already kept in
// the log is not repeated, so one asked for every frame is told once.
void reportProblem(const char* file, const char* reason);

// The same line kept in the log only, for a failure that has already said
// so on the error stream in words of its own (the data files' "Error
// opening file" line, which does not name the file).
void logProblem(const char* file, const char* reason);

// At start: the log of an earlier run is emptied, so what a player sends
// is this run's.
void startProblemLog();
