// What the race shows around the track: the lightning, the score and bombs
// lines, the progress bar, the bombs themselves, the sky with the mood of
// each race type and the hint near the finish. (The ground never changes:
// the draw has it.)
#pragma once

#include "race/race_controls.h"
#include "race/race_frame.h"

// Whether the LONG sky flashes this frame.
void updateLightning();

// The score and bombs lines.
void showHudLines(RaceFrame& frame);

// The bar, except on JOURNEY.
void showProgressBar(RaceFrame& frame);

// The bomb key: one bomb per repeat delay while bombs are left.
void dropBombIfAsked(const RaceControls& controls, RaceFrame& frame);

// The sky's colour: after a crash it slows the menu clock; the storm
// thunders, the JOURNEY's day turns to night and back.
void updateSky(RaceFrame& frame);

void showFinishHint(RaceFrame& frame);
