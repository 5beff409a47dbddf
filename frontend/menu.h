// The front end: the per-frame routine that draws the backdrop, resolves
// the mouse to a row, marks the current row and runs the block of whichever
// menu or screen is up; and the pieces every menu shares.
#pragma once

// The moon drifting across the backdrop.
struct MoonPosition {
    float x = 6.5f;
    float y = 0.0f;
};

extern MoonPosition moon;

void frontEndFrame();

// The screen blocks from the Options menu on, each behind its own flag:
// what a frame that restarts a race still runs of the front end.
void runScreenBlocksFromOptions();

// The music key, the cursor, the hint lines and the moon.
void drawFrontEndBackdrop();

// Resolves the mouse to a row through the selection buffer; a held left
// button acts as Enter on it, a held right button as the Left arrow.
void pickMenuItem();

// Sets the colour for printing `row`: the highlight for the current row,
// grey for the rest.
void menuItemColour(int row);

// Up and Down with the repeat delay, wrapping within `rows`.
void navigateMenu(int rows);

// The selection sound, when sound is on.
void playBleep();

// The spinning wire shape beside the current row.
void drawMenuMarker();
