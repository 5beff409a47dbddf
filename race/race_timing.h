// The race's clock in frames: when the countdown is over, frame counts
// from the speed factor, and the speed factor's tuning during a race.
#pragma once

// True once more than 200 / gameSpeed frames have been counted: shapes
// move and the controls work.
bool countdownOver();

// A count of frames from a scaled value, truncated; a value too large for
// an int (a tiny speed factor) or not a number gives the largest count.
int wholeFrames(float frames);

// At a frame's end, while a race is being raced (score above 20, bar above
// 0, no name entry): the speed factor creeps towards the one for the
// counted rate by half a per cent a frame, then dithers around it.
void tuneRaceSpeed(int framesPerSecond);
