// The player's side of the race: the hidden cursor, the ship sprite with
// its banking and the world's turn, steering and the speed keys.
#pragma once

// Holds the cursor counter at -1 so the cursor stays hidden in a race.
void hideRaceCursor();

// In the ship frame: draws the ship (banked in SHIP mode), then turns the
// frame into the world frame. Skipped once a JOURNEY has crashed.
void drawShipAndTurnWorld();

// Steering from the keys and mouse buttons, with its decay.
void steer();

// Up and down the speed, except on JOURNEY.
void applySpeedKeys();
