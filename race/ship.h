// The player's side of the race: the hidden cursor, the ship sprite with
// its banking and the world's turn, steering and the speed keys.
#pragma once

#include "race/race_controls.h"
#include "race/race_frame.h"

// Holds the cursor counter at -1 so the cursor stays hidden in a race.
void hideRaceCursor();

// The ship this frame: banked in SHIP mode, the world turned in WORLD
// mode, one of its two pictures at random; gone once a JOURNEY has crashed.
void showShip(RaceFrame& frame);

// Steering from the keys and mouse buttons, with its decay.
void steer(const RaceControls& controls);

// Up and down the speed, except on JOURNEY.
void applySpeedKeys(const RaceControls& controls);
