// Holding End or 0 pauses the race: nothing of it advances, its last
// picture stands with "PAUSED" over it, and letting go carries on exactly
// where it stopped.
#pragma once

// Whether a pause key is held that is not also one of the race keys.
bool racePauseHeld();

// A race start: nothing of an earlier race is held or drawn again.
void forgetPausedRace();

// Before the steps of every frame that is not paused: ends a pause,
// and remembers where this frame starts.
void beginUnpausedRaceFrame();

// The whole of a paused race frame.
void drawPausedRace();
