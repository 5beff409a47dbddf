// Which screen is up and where its menu stands: the flags every frame is
// routed by, and the highlighted row, key-repeat delay and animation clock
// the menus share.
#pragma once

struct ScreenFlags {
    bool frontEnd = true;  // title and menus; false while a race runs or has just ended
    bool optionsShown = false;
    bool controlsShown = false;
    bool graphicsShown = false;
    bool highScoresShown = false;
    bool exitScreenShown = false;
    bool helpShown = false;       // drawn over whichever front-end screen is up
    bool nameEntryShown = false;  // after a new best result
};

struct MenuState {
    int currentItem = 1;     // highlighted row, 1-based
    int repeatDelay = 0;     // frames before a held key acts again
    float menuClock = 0.0f;  // animation clock: +0.1 a front-end frame
};

extern ScreenFlags screens;
extern MenuState menu;

// The moves between screens. Each sets the flags, the highlighted row and
// the repeat delay of its move in one place; the delay keeps the key that
// made the move from acting again on the screen it opens.

// The title's OPTIONS, HIGH SCORES and QUIT. The table's delay is twice a
// menu's, as that screen counts it down twice a frame; the exit screen's
// farewell starts its animation afresh and takes the Enter that chose it,
// or it would end the game on that Enter later in the same frame.
void openOptions();
void openHighScores();
void openExitScreen();

// The Options menu's CONTROLS and GRAPHICS, each opening on its first row,
// and its BACK to the title's first row.
void openControls();
void openGraphics();
void closeOptions();

// BACK on Controls and on Graphics: Options on the row that opened them.
void closeControls();
void closeGraphics();

// Enter on the table: back to the title.
void closeHighScores();

// Escape: the title from any screen but the exit screen, a race included;
// the row stays, and the title's wrap brings it in.
void backToTitle();

// F2, and the Escape that closes the help again.
void openHelp();
void closeHelp();

// A race start: the race owns the frames, the title's first row waiting.
void showRace();

// A new best: name entry from the next frame, the release that ended the
// race not taken as a letter; and its end, back to the title.
void openNameEntry();
void closeNameEntry();

// Name entry takes no key for this code, so a release already acted on is
// not typed again.
constexpr int noKeyForNameEntry = 63;
