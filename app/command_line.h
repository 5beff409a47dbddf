// The command line: the game itself takes no arguments; --help, --version
// and --verify-replay FILE are answered before any window opens.
#pragma once

// The status to end the program with, or -1 when the game is to start.
int answerCommandLine(int argc, char** argv);
