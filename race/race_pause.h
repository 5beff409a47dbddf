// Holding End or 0 pauses the race: nothing of it advances, its last
// picture stands with "PAUSED" over it, and letting go carries on exactly
// where it stopped.
#pragma once

#include "race/race_controls.h"

// Whether this frame is paused. The frame function's own changes in a
// paused frame (the menu clock, the repeat delay's count-down, the speed
// factor's tuning) are taken back, and the frame after the pause gets what
// the first paused frame found, as the frame after the last one raced
// would have: the HUD's colours run on the menu clock, and the bomb delay
// and the speed factor would otherwise move on while the race stands still.
bool holdForPause(const RaceControls& controls);

// A race start: no pause of an earlier race is held.
void forgetPause();
