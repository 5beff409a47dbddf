// The race: the record of the race in progress, and the entry points the
// frame function calls.
#pragma once

#include "race/race_controls.h"
#include "race/race_frame.h"
#include "race/race_types.h"

struct RaceState {
    float raceClock = 0.0f;  // +gameSpeed x 1e-13 a racing frame
    float shipSpeed = 0.0f;
    float steerVelocity = 0.0f;  // positive steering left; also the bank in degrees
    float barLevel = 0.0f;       // below 0: crashed
    float barTarget = 0.0f;      // the level to pass to finish
    float bombs = 0.0f;
    int raceFrames = 0;     // frames since the start; times the countdown
    float skyLevel = 0.0f;  // JOURNEY day and night
    bool skyRising = false;
    bool lightning = false;  // LONG: the sky flashes this frame
};

extern RaceState race;

// The integer shown and stored as every race result.
int shownScore();

// Sets the bar a race of `raceType` must fill, as the Options menu shows
// it; a value outside the four leaves the bar as it is.
void setBarTarget(int raceType);

// Starts or restarts a race of settings.raceType, with its own bar: every
// change of a start, and the look of the field it throws back. No drawing.
FieldLook beginRace();

// The player's start: beginRace, recorded, and the start's picture drawn
// at once in the current drawing frame: the race's clear colour and the
// field thrown back, flashing.
void startRace();

// Every change of one race frame, in the order of its steps, and its
// picture into `frame`. No drawing.
void advanceRace(const RaceControls& controls, RaceFrame& frame);

// One frame of the player's race as the frame function runs it: the
// cursor kept hidden, then, unless a pause key is held, the advance, with
// what fed it recorded; then the picture, the last one again (with
// "PAUSED") while paused.
void raceFrame();

// Advances, or holds for the pause: whether the race advanced.
bool advanceUnlessPaused(const RaceControls& controls, RaceFrame& frame);
