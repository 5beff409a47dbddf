// The four race types and everything that sets one apart from another,
// one row of one table per type: the race, the menus and the high-score
// table all read it here.
#pragma once

#include "persist/high_scores.h"

// RaceType values, as GameSettings::raceType holds them.
struct RaceType {
    enum : int { SHORT = 1, MEDIUM = 2, LONG = 3, JOURNEY = 4 };
};

// The colour the sky quad is drawn in.
struct SkyMood {
    enum : int {
        PLAIN,  // white over the picture, or the plain blue without it
        PURPLE,
        STORM,          // dark grey, white while the lightning flashes (with thunder)
        DAY_AND_NIGHT,  // dusk to night and dawn again, slowly
    };
};

// When the five extra rows of the obstacle field join the fifteen.
struct ExtraRows {
    enum : int { NEVER, ALWAYS, PAST_500 };  // PAST_500: once the shown score is above 500
};

struct RaceTypeFacts {
    const char* name;  // as the Options menu, the table and the result name it
    float barTarget;   // the level to pass to finish, as the Options menu sets it
    float startingBombs;
    float startingBarLevel;  // a breath above 0 on JOURNEY: the first contact ends it
    bool speedKeys;          // accelerate and decelerate act
    int sky;                 // a SkyMood
    int extraRows;           // an ExtraRows
    bool lowerIsBetter;      // the result is a time to beat, not a time survived
    int highScoreRow;        // its row of HighScoreTable
};

// The facts of race type 1 to 4; null for any other value (one from the
// settings file, or stepped past the ends in Options, before the frame
// wraps it).
const RaceTypeFacts* raceTypeFacts(int raceType);

// The high-score row of a race type; null for a value outside the four.
HighScoreEntry* highScoreFor(int raceType);
