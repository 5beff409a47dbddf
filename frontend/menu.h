// The front end: the per-frame routine that draws the backdrop and runs the
// block of whichever menu or screen is up.
#pragma once

void frontEndFrame();

// The screen blocks from the Options menu on, each behind its own flag:
// what a frame that restarts a race still runs of the front end.
void runScreenBlocksFromOptions();
