// The race's clock in frames: when the countdown is over, and frame counts
// from the speed factor.
#pragma once

// True once more than 200 / gameSpeed frames have been counted: shapes
// move and the controls work.
bool countdownOver();

// A count of frames from a scaled value, truncated; a value too large for
// an int (a tiny speed factor) or not a number gives the largest count.
int wholeFrames(float frames);
