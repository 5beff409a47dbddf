// The frame-rate record and the speed factor it asks for.
#include "game/frame_rate.h"

FrameRate frameRate;

float targetSpeed(int framesPerSecond)
{
    // The race's steps were tuned at 60 frames a second, so the factor is
    // simply 60 / f. Before a second has been counted there is no rate;
    // the factor then is the one the game has always used at 0.
    if (framesPerSecond <= 0)
        return 4.895378691f;
    return static_cast<float>(60.0 / framesPerSecond);
}
