// Whether the window is up and the game goes on, and what a frame asks of
// the main loop and the window: the screens only ask, the top acts.
#pragma once

struct AppState {
    bool active = true;          // the window is not minimised; frames are drawn only then
    bool quitRequested = false;  // the main loop ends at its next test
    bool newWindowRequested =
        false;  // built at the size and mode in the settings before this frame ends
};

extern AppState app;
