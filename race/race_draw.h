// Drawing the race, with OpenGL alone: a frame's picture, the scatter of a
// start and the pause's sign. Nothing here changes the race.
#pragma once

#include "race/race_frame.h"

// From the frame's identity modelview: the HUD, ship and world frames and
// everything in them, in the order of the race's steps.
void drawRaceFrame(const RaceFrame& frame);

// A race start: the race's clear colour, and the field thrown back in
// whatever drawing frame is current.
void drawRaceStart(const FieldLook& scatter);

// "PAUSED", white on a black box in the middle of the window.
void drawPausedSign();

// "REPLAY", the same in the top left corner: a race run again.
void drawReplaySign();
