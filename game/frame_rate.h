// The frames counted per second and the speed factor that keeps every
// movement at its 60-frames-a-second pace.
#pragma once

#include <ctime>

struct FrameRate {
    int framesThisSecond = 0;
    int framesPerSecond = 0;      // the count of the last completed second
    std::time_t secondStamp = 0;  // when counting began
};

extern FrameRate frameRate;

// The gameSpeed that keeps the game at its 60-frames-a-second pace when
// the machine draws `framesPerSecond`.
float targetSpeed(int framesPerSecond);
