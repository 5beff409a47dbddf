// The game minimised, for a measurement of the processor time it uses
// then. Without a window manager an X server cannot minimise a window, so
// the minimise arrives the way the platform hears of one from the window
// system: an SDL window event, turned by the platform into the game's
// WM_ACTIVATE. The game's own main loop runs, frame pacing on.
#pragma once

// Runs the game in the current folder; after `framesFirst` frames it is
// minimised and `readyFile` is created. Runs until the process is killed
// (or the window is closed).
int runMinimised(int framesFirst, const char* readyFile);
