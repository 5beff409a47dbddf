// Which screen is up and where its menu stands: the flags every frame is
// routed by, and the highlighted row, key-repeat delay and animation clock
// the menus share.
#pragma once

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

extern ScreenFlags screens;
extern MenuState menu;
