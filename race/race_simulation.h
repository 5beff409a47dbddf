// A race run without a window: one frame of it as the frame function runs
// it, every change and no picture, so that a race can be played from
// recorded input faster than real time.
#pragma once

#include "race/race_controls.h"
#include "race/race_frame.h"

// What one frame of a race takes in from outside.
struct RaceFrameInput {
    RaceControls controls;
    bool enter = false;        // plays again: a new start
    bool speedKey = false;     // F12: the speed factor for the counted rate
    int framesPerSecond = 60;  // the rate counted so far
};

// The frame function's race frame: F12, the repeat delay's count-down, a
// start on Enter (else the menu clock's 0.1), the race frame with its pause,
// and the speed factor's tuning. For a race the frame function would run:
// one under way, no name entry, nothing else on the screen.
void simulateRaceFrame(const RaceFrameInput& in);

// The same frame in its two halves, for a recorded race whose rate may
// change at a frame's end. What comes before the race frame: F12 at the
// rate counted so far, the delay's count-down, a start on Enter or the
// menu clock's 0.1.
void startRaceFrame(bool speedKey, int framesPerSecond, bool enter);
// The race frame with its pause, its picture into `picture`, then the
// frame's end: the speed factor tuned to the rate counted by then.
// Whether the race advanced.
bool finishRaceFrame(const RaceControls& controls, RaceFrame& picture, int framesPerSecondAtEnd);
