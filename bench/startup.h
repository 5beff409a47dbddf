// Start-up: from the moment the program is executed to its first swapped
// frame. The benchmark runs itself as the game (the game's own main: the
// display check and WinMain, unchanged), stamped just before exec, and
// notes the first SwapBuffers through the platform's swap hook.
#pragma once

#include <string>

// Runs the game `runs` times in a fresh process and returns the times as
// a JSON object.
std::string measureStartup(int runs);

// The child: the game's main, reporting on stdout when its first frame has
// been swapped, then closing as the player would.
int startupChild();
