// How a race opens and closes on screen: the intro lines and countdown,
// the end test, the result and lose screens, new bests in the table and
// the hand-over to name entry.
#pragma once

#include "race/race_frame.h"

// After the racing step: a finish, a JOURNEY crash or a loss shows its
// screen (again on every later frame).
void showRaceEnd(RaceFrame& frame);

// While the countdown runs: who made the game, the best to beat, and the
// "3", "2", "1", "GO".
void showIntroAndCountdown(RaceFrame& frame);
