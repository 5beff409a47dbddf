// What the test hooks (test_hooks.cpp) reach into the services for, on
// either system. Platform-private: game code never includes this header.
#pragma once

#include <string>

// Swap interval for the current context: 1 while frames are paced, else 0.
void applySwapInterval();
void restartFramePacing();
// The cursor display counter, read without changing it.
int cursorDisplayCount();
// Tells the platform the game window was minimised, as the window system
// would. What went wrong, or "" once it is on its way.
std::string minimiseGameWindow();
