// One frame: the global keys, the routing to name entry, the front end or
// the race, and the frame-rate compensation every movement is scaled by.
#pragma once

#include <ctime>

struct ScreenFlags {
    bool frontEnd = true;        // title and menus; false while a race runs or has just ended
    bool optionsShown = false;
    bool controlsShown = false;
    bool graphicsShown = false;
    bool highScoresShown = false;
    bool exitScreenShown = false;
    bool helpShown = false;      // drawn over whichever front-end screen is up
    bool nameEntryShown = false; // after a new best result
};

struct MenuState {
    int currentItem = 1;         // highlighted row, 1-based
    int repeatDelay = 0;         // frames before a held key acts again
    float menuClock = 0.0f;      // animation clock: +0.1 a front-end frame
};

struct FrameRate {
    int framesThisSecond = 0;
    int framesPerSecond = 0;     // the count of the last completed second
    std::time_t secondStamp = 0; // when counting began
};

extern ScreenFlags screens;
extern MenuState menu;
extern FrameRate frameRate;

// Draws and advances one frame; the main loop swaps buffers after it.
int drawScene();

// What every front-end frame repairs in the settings: the race type wraps
// into 1 to 4 and a speed factor that is not above 0 becomes 1.1.
void applySettingGuards();

// The gameSpeed that keeps the game at its 60-frames-a-second pace when
// the machine draws `framesPerSecond`.
float targetSpeed(int framesPerSecond);
